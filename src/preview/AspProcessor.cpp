#include "AspProcessor.h"

#include "AspRequest.h"
#include "AspResponse.h"
#include "AspServer.h"
#include "AspSession.h"
#include "AspText.h"
#include "RunningPage.h"
#include "ScriptingContext.h"
#include "ado/DatabasePool.h"
#include "script/Parser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace preview {

using namespace vbs;

namespace {

bool readFile(const QString &path, QString &text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > AspLimits::kMaxPageBytes)
        return false;
    QByteArray bytes = f.readAll();
    bytes.replace('\0', QByteArray()); // a zero byte adds nothing to the page
    text = decodeText(bytes);
    return true;
}

// Lines of a file read as text: split at CR LF, LF or a lone CR, no empty
// line after a final line end.
QStringList textLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = unified.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

namespace {

// The time of one script run, for the statements it makes.
struct PageRun {
    explicit PageRun(int timeLimitMs) { RunningPage::begin(timeLimitMs); }
    ~PageRun() { RunningPage::end(); }
    PageRun(const PageRun &) = delete;
    PageRun &operator=(const PageRun &) = delete;
};

} // namespace

struct AspProcessor::PageObjects {
    Ref<AspRequest> request;
    Ref<AspResponse> response;
    Ref<AspServer> server;
    Ref<ScriptingContext> context;
};

AspProcessor::AspProcessor(const SiteMap &site) : m_site(site), m_session(makeRef<AspSession>()) {}

AspProcessor::~AspProcessor()
{
    DatabasePool::closeAll();
}

QStringList AspProcessor::fileRoots() const
{
    return m_fileRoots.isEmpty() ? m_site.allFolders() : m_fileRoots;
}

QString AspProcessor::displayName(const QString &file) const
{
    const QString root = QDir::cleanPath(m_site.rootFolder());
    const QString clean = QDir::cleanPath(file);
    if (!root.isEmpty() && clean.startsWith(root + QLatin1Char('/')))
        return clean.mid(root.size() + 1);
    return QFileInfo(clean).fileName();
}

// --- include expansion ---------------------------------------------------------

namespace {

// A line ends at CR LF, at LF, or at a CR not followed by LF.
bool isLineBreak(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c == QLatin1Char('\n'))
        return true;
    return c == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'));
}

int countLineBreaks(const QString &text, qsizetype from, qsizetype to)
{
    int n = 0;
    for (qsizetype i = from; i < to; ++i)
        n += isLineBreak(text, i) ? 1 : 0;
    return n;
}

// One include directive found in a text.
struct IncludeDirective {
    qsizetype start = -1;  // of "<!--"
    qsizetype end = -1;    // just after "-->"
    bool isVirtual = false;
    bool wellFormed = false;
    QString name;
};

// The next "<!-- #include ... -->" from position from (letters in any case,
// blanks anywhere between the parts) that lies outside code: inside "<% %>"
// a directive is code, as the server has always read it. inCode carries
// the state of the delimiters from one text to the next. A comment that
// names no file in double or single quotes is found but not well formed.
IncludeDirective findInclude(const QString &text, qsizetype from, bool &inCode)
{
    static const QRegularExpression open(QStringLiteral("<!--\\s*#include(?![A-Za-z0-9_])"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression body(
        QStringLiteral("^\\s+(virtual|file)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    IncludeDirective d;
    qsizetype pos = from;
    while (pos < text.size()) {
        if (inCode) {
            const qsizetype close = text.indexOf(QLatin1String("%>"), pos);
            if (close < 0)
                return d;
            inCode = false;
            pos = close + 2;
            continue;
        }
        const qsizetype code = text.indexOf(QLatin1String("<%"), pos);
        const QRegularExpressionMatch m = open.match(text, pos);
        if (!m.hasMatch() || (code >= 0 && code < m.capturedStart())) {
            if (code < 0)
                return d;
            inCode = true;
            pos = code + 2;
            continue;
        }
        const qsizetype close = text.indexOf(QLatin1String("-->"), m.capturedEnd());
        if (close < 0)
            return d;  // an unterminated comment is text
        d.start = m.capturedStart();
        d.end = close + 3;
        const QRegularExpressionMatch b = body.match(text.mid(m.capturedEnd(), close - m.capturedEnd()));
        if (b.hasMatch()) {
            d.wellFormed = true;
            d.isVirtual = b.captured(1).compare(QLatin1String("virtual"), Qt::CaseInsensitive) == 0;
            d.name = b.capturedStart(2) >= 0 ? b.captured(2) : b.captured(3);
        }
        return d;
    }
    return d;
}

} // namespace

// Where a stretch of the expanded text comes from: from offset on, the text
// is that of file starting at line.
struct AspProcessor::Segment {
    qsizetype offset = 0;
    SourceLocation start;
};

struct AspProcessor::Expansion {
    QStringList stack;  // the files being expanded, outermost first
    QList<Segment> segments;
    bool inCode = false;
};

AspProcessor::ExpandedPage AspProcessor::expandIncludes(const QString &pageText, const QString &pageFile) const
{
    ExpandedPage out;
    Expansion x;
    const QString canonical = QFileInfo(pageFile).canonicalFilePath();
    x.stack.append(canonical.isEmpty() ? QDir::cleanPath(pageFile) : canonical);
    expandInto(pageText, pageFile, x, out);
    const QList<Segment> &segments = x.segments;

    // The origin of each line of the expanded text is the origin of the
    // place where that line begins.
    const QString &t = out.text;
    qsizetype seg = -1;
    SourceLocation here;
    auto advanceTo = [&](qsizetype pos) {
        while (seg + 1 < segments.size() && segments[seg + 1].offset <= pos) {
            ++seg;
            here = segments[seg].start;
        }
    };
    advanceTo(0);
    out.lines.append(here);
    for (qsizetype i = 0; i < t.size(); ++i) {
        advanceTo(i);
        if (isLineBreak(t, i)) {
            ++here.line;
            advanceTo(i + 1);
            out.lines.append(here);
        }
    }
    return out;
}

void AspProcessor::expandInto(const QString &text, const QString &file, Expansion &x, ExpandedPage &out) const
{
    QStringList &stack = x.stack;
    QList<Segment> &segments = x.segments;
    const QString label = displayName(file);
    qsizetype from = 0;
    int line = 1;
    auto copyText = [&](qsizetype to) {
        if (to > from) {
            segments.append(Segment{out.text.size(), SourceLocation{label, line}});
            out.text += QStringView(text).mid(from, to - from);
        }
    };
    while (true) {
        const IncludeDirective d = findInclude(text, from, x.inCode);
        if (d.start < 0) {
            copyText(text.size());
            return;
        }
        copyText(d.start);
        line += countLineBreaks(text, from, d.start);
        const int directiveLine = line;
        line += countLineBreaks(text, d.start, d.end);
        from = d.end;
        if (!d.wellFormed) {
            out.unresolved.append(QStringLiteral("Direttiva di inclusione non valida (%1, riga %2)")
                                      .arg(label).arg(directiveLine));
            continue;
        }
        QString name = d.name;
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString base = d.isVirtual ? m_site.rootFolder() : QFileInfo(file).absolutePath();
        QString target = QDir::cleanPath(base + QLatin1Char('/') + name);
        bool allowed = false;
        for (const QString &folder : m_site.allFolders()) {
            if (allowed || !SiteMap::isInside(target, folder))
                continue;
            target = m_site.resolveCase(QDir::cleanPath(folder), target);
            allowed = SiteMap::isInside(target, folder);
        }
        if (!allowed || !QFileInfo(target).isFile()) {
            out.unresolved.append(QStringLiteral("File di inclusione non trovato: %1 (%2, riga %3)")
                                      .arg(d.name, label).arg(directiveLine));
            continue;
        }
        const QString canonical = QFileInfo(target).canonicalFilePath();
        if (stack.contains(canonical)) {
            out.errors.append(QStringLiteral("Inclusione ricorsiva del file %1 (%2, riga %3)")
                                  .arg(d.name, label).arg(directiveLine));
            continue;
        }
        if (stack.size() > AspLimits::kMaxIncludeDepth) {
            out.errors.append(QStringLiteral("Troppi livelli di inclusione nel file %1 (%2, riga %3)")
                                  .arg(d.name, label).arg(directiveLine));
            continue;
        }
        QString content;
        if (!readFile(target, content)) {
            out.unresolved.append(QStringLiteral("File di inclusione non leggibile: %1 (%2, riga %3)")
                                      .arg(d.name, label).arg(directiveLine));
            continue;
        }
        stack.append(canonical);
        expandInto(content, target, x, out);
        stack.removeLast();
        // The text after the directive goes on from the directive's line.
        segments.append(Segment{out.text.size(), SourceLocation{label, line}});
    }
}

// --- page to script ------------------------------------------------------------

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Reads "Language=VBScript CodePage=65001 LCID=1040" (names in any case,
// values bare or quoted, blanks around "=").
AspProcessor::Directives parseDirectives(const QString &text)
{
    static const QRegularExpression attribute(
        QStringLiteral("([A-Za-z]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"']+))"));
    AspProcessor::Directives d;
    auto it = attribute.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1).toLower();
        QString value = m.captured(2);
        if (m.capturedStart(2) < 0)
            value = m.capturedStart(3) >= 0 ? m.captured(3) : m.captured(4);
        value = value.trimmed();
        if (name == QLatin1String("language"))
            d.language = value;
        else if (name == QLatin1String("codepage"))
            d.codePage = value.toInt();
        else if (name == QLatin1String("lcid"))
            d.lcid = value.toInt();
    }
    return d;
}

} // namespace

bool AspProcessor::isVBScript(const QString &language)
{
    return language.isEmpty() || language.compare(QLatin1String("VBScript"), Qt::CaseInsensitive) == 0
        || language.compare(QLatin1String("VBS"), Qt::CaseInsensitive) == 0;
}

AspProcessor::Script AspProcessor::toScript(const ExpandedPage &page)
{
    static const QRegularExpression scriptTag(QStringLiteral("<script\\b([^>]*)>"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression runatServer(QStringLiteral("\\brunat\\s*=\\s*[\"']?server\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression languageAttribute(QStringLiteral("\\blanguage\\s*=\\s*[\"']?([A-Za-z]+)"),
                                                      QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression scriptEnd(QStringLiteral("</script\\s*>"),
                                              QRegularExpression::CaseInsensitiveOption);
    Script s;
    const QString &t = page.text;
    int pageLine = 0;
    auto origin = [&](int line) {
        if (line < page.lines.size())
            return page.lines[line];
        return page.lines.isEmpty() ? SourceLocation{} : page.lines.last();
    };
    s.lines.append(origin(0));
    auto newLine = [&] {
        s.text += QLatin1Char('\n');
        s.lines.append(origin(pageLine));
    };
    auto append = [&](QStringView text) {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n'))
                newLine();
            else
                s.text += c;
        }
    };
    // Code as it stands; a lone CR ends a line as LF does.
    auto appendCode = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) {
            if (isLineBreak(t, k)) {
                ++pageLine;
                newLine();
            } else {
                s.text += t[k];
            }
        }
    };
    QString chunk;
    auto flushChunk = [&] {
        const int n = int(s.chunks.size());
        s.chunks.append(chunk);
        chunk.clear();
        append(QStringLiteral("\nResponse.WriteHTML(%1)\n").arg(n));
    };

    // The next <script runat="server"> tag at or after a position.
    struct ServerBlock {
        qsizetype from = 0;
        qsizetype to = 0;
        int line = 0;
    };
    QList<ServerBlock> serverBlocks;
    QRegularExpressionMatch tag;
    qsizetype tagSearchedFrom = -1;
    auto nextServerTag = [&](qsizetype from) -> qsizetype {
        if (tagSearchedFrom >= 0 && (!tag.hasMatch() || tag.capturedStart() >= from))
            return tag.hasMatch() ? tag.capturedStart() : -1;
        tagSearchedFrom = from;
        auto it = scriptTag.globalMatch(t, from);
        while (it.hasNext()) {
            tag = it.next();
            if (runatServer.match(tag.captured(1)).hasMatch())
                return tag.capturedStart();
        }
        tag = QRegularExpressionMatch();
        return -1;
    };

    const qsizetype n = t.size();
    qsizetype i = 0;
    bool endsInCode = false;
    while (i < n) {
        const qsizetype open = t.indexOf(QLatin1String("<%"), i);
        const qsizetype server = nextServerTag(i);
        if (server >= 0 && (open < 0 || server < open)) {
            // A server script block: not text, its code runs after the page's.
            chunk += QStringView(t).mid(i, server - i);
            pageLine += countLineBreaks(t, i, server);
            const qsizetype codeStart = tag.capturedEnd();
            const QRegularExpressionMatch end = scriptEnd.match(t, codeStart);
            const qsizetype codeEnd = end.hasMatch() ? end.capturedStart() : n;
            const QRegularExpressionMatch language = languageAttribute.match(tag.captured(1));
            const int firstLine = pageLine + countLineBreaks(t, server, codeStart);
            if (!language.hasMatch() || isVBScript(language.captured(1)))
                serverBlocks.append(ServerBlock{codeStart, codeEnd, firstLine});
            else
                s.otherLanguages.append(language.captured(1));
            i = end.hasMatch() ? end.capturedEnd() : n;
            pageLine += countLineBreaks(t, server, i);
            continue;
        }
        // Literal text up to the next "<%".
        const qsizetype textEnd = open < 0 ? n : open;
        chunk += QStringView(t).mid(i, textEnd - i);
        pageLine += countLineBreaks(t, i, textEnd);
        if (open < 0)
            break;
        if (!chunk.isEmpty())
            flushChunk();
        qsizetype j = open + 2;
        while (j < n && isBlank(t[j]))
            ++j;
        const qsizetype close = t.indexOf(QLatin1String("%>"), open + 2);
        const qsizetype codeEnd = close < 0 ? n : close;
        if (j < codeEnd && t[j] == QLatin1Char('@')) {
            // The page directive is not code; its line ends still count.
            s.directives = parseDirectives(t.mid(j + 1, codeEnd - j - 1));
            for (qsizetype k = j; k < codeEnd; ++k) {
                if (isLineBreak(t, k)) {
                    ++pageLine;
                    newLine();
                }
            }
        } else if (j < codeEnd && t[j] == QLatin1Char('=')) {
            append(u"\nResponse.Write ");
            appendCode(j + 1, codeEnd);
        } else {
            appendCode(open + 2, codeEnd);
        }
        if (close < 0) {
            endsInCode = true;  // a page ending inside code has no final chunk
            break;
        }
        append(u"\n");
        i = close + 2;
    }
    if (!endsInCode)
        flushChunk();
    for (const ServerBlock &block : serverBlocks) {
        append(u"\n");
        pageLine = block.line;
        s.lines.last() = origin(pageLine);
        appendCode(block.from, block.to);
    }
    return s;
}

// --- checking ----------------------------------------------------------------

QStringList AspProcessor::checkPage(const QString &pageFile) const
{
    QString pageText;
    if (!readFile(pageFile, pageText))
        return {QStringLiteral("File non leggibile: %1").arg(displayName(pageFile))};
    const ExpandedPage expanded = expandIncludes(pageText, pageFile);
    QStringList problems = expanded.unresolved + expanded.errors;
    const Script script = toScript(expanded);
    for (const QString &language : script.otherLanguages)
        problems.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                            .arg(language, displayName(pageFile)));
    if (!isVBScript(script.directives.language)) {
        problems.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                            .arg(script.directives.language, displayName(pageFile)));
        return problems;
    }
    try {
        Parser::parseProgram(script.text);
    } catch (const ScriptError &e) {
        Engine engine;
        engine.setSourceName(displayName(pageFile));
        const QList<SourceLocation> lines = script.lines;
        engine.setLineMapper([lines](int scriptLine) {
            if (scriptLine >= 1 && scriptLine <= lines.size())
                return lines[scriptLine - 1];
            return lines.isEmpty() ? SourceLocation{} : lines.last();
        });
        problems.append(engine.formatError(e));
    }
    return problems;
}

// --- running ------------------------------------------------------------------

void AspProcessor::prepareEngine(Engine &engine, PageObjects &objects) const
{
    EngineLimits limits = engine.limits();
    limits.timeLimitMs = m_timeLimitMs;
    engine.setLimits(limits);
    engine.setLocale(m_locale);
    engine.setFileRoots(fileRoots());
    const ComponentRegistry &components = previewComponents();
    for (const QString &progId : components.progIds())
        engine.addComponent(progId, *components.find(progId));
    engine.addNamedItem(QStringLiteral("Request"), objects.request);
    engine.addNamedItem(QStringLiteral("Response"), objects.response);
    engine.addNamedItem(QStringLiteral("Session"), m_session);
    engine.addNamedItem(QStringLiteral("Server"), objects.server);
}

void AspProcessor::runGlobalAsa(PageObjects &objects)
{
    m_globalAsaPending = false;
    QString content;
    if (!readFile(m_site.rootFolder() + QStringLiteral("/global.asa"), content))
        return;
    QString script;
    bool application = false;
    bool session = false;
    for (const QString &line : textLines(content)) {
        if (line.contains(QLatin1String("<SCRIPT")) || line.contains(QLatin1String("<script"))
            || line.contains(QLatin1String("</SCRIPT")) || line.contains(QLatin1String("</script")))
            continue;
        script += line + QLatin1Char('\n');
        application = application || line.contains(QLatin1String("Application_OnStart"));
        session = session || line.contains(QLatin1String("Session_OnStart"));
    }
    if (application)
        script += QStringLiteral("\n\nApplication_OnStart\n");
    if (session)
        script += QStringLiteral("Session_OnStart\n");
    Engine engine;
    prepareEngine(engine, objects);
    engine.setSourceName(QStringLiteral("global.asa"));
    {
        const PageRun run(m_timeLimitMs);
        engine.run(script);
    }
    objects.server->endPage();
    engine.reset();
}

AspProcessor::Result AspProcessor::processPage(const QString &pageFile, const QByteArray &request)
{
    PageObjects objects;
    objects.request = makeRef<AspRequest>();
    objects.request->parseRequest(request);
    objects.response = makeRef<AspResponse>();
    objects.server = makeRef<AspServer>(m_site, fileRoots());
    objects.context = makeRef<ScriptingContext>();
    objects.context->attach(objects.request.get(), objects.response.get(), m_session.get(),
                            objects.server.get());
    objects.server->setScriptingContext(objects.context.get());

    if (m_globalAsaPending)
        runGlobalAsa(objects);

    Result result;
    QString pageText;
    readFile(pageFile, pageText);
    const ExpandedPage expanded = expandIncludes(pageText, pageFile);
    Script script = toScript(expanded);
    objects.response->chunks() = script.chunks;

    QStringList errors = expanded.errors;
    for (const QString &language : script.otherLanguages)
        errors.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                          .arg(language, displayName(pageFile)));
    result.codePage = script.directives.codePage;
    if (!isVBScript(script.directives.language)) {
        errors.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                          .arg(script.directives.language, displayName(pageFile)));
    } else {
        Engine engine;
        prepareEngine(engine, objects);
        if (script.directives.lcid > 0)
            engine.setLocale(script.directives.lcid);
        engine.setSourceName(displayName(pageFile));
        const QList<SourceLocation> lines = script.lines;
        engine.setLineMapper([lines](int scriptLine) {
            if (scriptLine >= 1 && scriptLine <= lines.size())
                return lines[scriptLine - 1];
            return lines.isEmpty() ? SourceLocation{} : lines.last();
        });
        {
            const PageRun run(m_timeLimitMs);
            engine.run(script.text);
        }
        objects.server->endPage();
        errors += engine.errorMessages();
        engine.reset();
    }

    result.redirect = objects.response->redirectLocation();
    if (result.redirect.isEmpty()) {
        result.output = objects.response->output();
        for (const QString &message : errors)
            result.output += QStringLiteral("<p>") + message + QStringLiteral("</p>");
    }
    objects.response->endPage();
    objects.server->setScriptingContext(nullptr);
    objects.context->detach();
    return result;
}

} // namespace preview
