#include "AspProcessor.h"

#include "AspApplication.h"
#include "AspCodePage.h"
#include "AspRequest.h"
#include "AspPageSyntax.h"
#include "AspResponse.h"
#include "AspServer.h"
#include "AspSession.h"
#include "AspText.h"
#include "GlobalAsa.h"
#include "RunningPage.h"
#include "ScriptingContext.h"
#include "ado/DatabasePool.h"
#include "script/Parser.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace preview {

using namespace vbs;

namespace {

bool readFile(const QString &path, QString &text, bool *tooLarge = nullptr)
{
    QFile f(path);
    if (tooLarge)
        *tooLarge = f.size() > AspLimits::kMaxPageBytes;
    if (!f.open(QIODevice::ReadOnly) || f.size() > AspLimits::kMaxPageBytes)
        return false;
    QByteArray bytes = f.readAll();
    bytes.replace('\0', QByteArray()); // a zero byte adds nothing to the page
    text = decodeText(bytes);
    return true;
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
    QStringList errors;               // messages shown after the page's output
    QString file;                     // the page running now (Server.Execute changes it)
    int depth = 0;                    // pages run by Server.Execute within the page
    Engine *pageEngine = nullptr;     // the engine of the requested page
    QElapsedTimer started;            // when the requested page started
    int timeLimitMs = AspLimits::kDefaultPageTimeMs;
    int directiveCodePage = 0;        // the page directive's CodePage
};

// Server.Execute, Transfer, GetLastError and ScriptTimeout of one request.
class AspProcessor::PageHost : public AspServer::Host {
public:
    PageHost(AspProcessor &processor, PageObjects &objects) : m_processor(processor), m_objects(objects) {}
    void execute(const QString &path, bool transfer) override
    {
        m_processor.executePage(m_objects, path, transfer);
    }
    AspErrorInfo lastError() const override { return m_processor.m_lastError; }
    int scriptTimeout() const override { return (m_objects.timeLimitMs + 999) / 1000; }
    QString pageFile() const override { return m_objects.file; }
    void setScriptTimeout(int seconds) override
    {
        m_objects.timeLimitMs = int(std::min<qint64>(qint64(seconds) * 1000, AspLimits::kMaxPageTimeMs));
        if (m_objects.pageEngine) {
            m_objects.pageEngine->setTimeLimit(m_objects.timeLimitMs);
            RunningPage::begin(int(std::max<qint64>(0, m_objects.timeLimitMs - m_objects.started.elapsed())));
        }
    }

private:
    AspProcessor &m_processor;
    PageObjects &m_objects;
};

AspProcessor::AspProcessor(const SiteMap &site)
    : m_site(site), m_session(makeRef<AspSession>()), m_application(makeRef<AspApplication>()),
      m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
}

AspProcessor::~AspProcessor()
{
    // Values kept in Session and Application go before the data components' pool.
    m_session->contents().clear();
    m_application->contents().clear();
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

using namespace pagesyntax;

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

void AspProcessor::prepareEngine(Engine &engine, PageObjects &objects, bool withPage) const
{
    EngineLimits limits = engine.limits();
    limits.timeLimitMs = objects.timeLimitMs;
    engine.setLimits(limits);
    engine.setLocale(m_session->lcid() ? m_session->lcid() : m_locale);
    engine.setFileRoots(fileRoots());
    const ComponentRegistry &components = previewComponents();
    for (const QString &progId : components.progIds())
        engine.addComponent(progId, *components.find(progId));
    if (withPage) {
        engine.addNamedItem(QStringLiteral("Request"), objects.request);
        engine.addNamedItem(QStringLiteral("Response"), objects.response);
    }
    engine.addNamedItem(QStringLiteral("Session"), m_session);
    engine.addNamedItem(QStringLiteral("Server"), objects.server);
    engine.addNamedItem(QStringLiteral("Application"), m_application);
}

void AspProcessor::recordErrors(const Engine &engine)
{
    if (engine.errors().isEmpty())
        return;
    const ScriptError &e = engine.errors().last();
    const SourceLocation where = engine.mapLine(e.line);
    m_lastError = AspErrorInfo{e.number, e.sourceText(), e.text(), where.file, where.line,
                               e.column > 0 ? e.column : -1};
}

void AspProcessor::runGlobalAsa(PageObjects &objects)
{
    // Application_OnStart once for the server, then Session_OnStart once
    // for each session, both ahead of the page that starts them; what they
    // write comes out at the head of that page.
    const GlobalAsa asa = GlobalAsa::load(m_site.rootFolder());
    QString calls;
    if (m_globalAsaPending && asa.defines(QStringLiteral("Application_OnStart")))
        calls += QStringLiteral("\nApplication_OnStart\n");
    if (m_sessionStartPending && asa.defines(QStringLiteral("Session_OnStart")))
        calls += QStringLiteral("\nSession_OnStart\n");
    m_globalAsaPending = false;
    m_sessionStartPending = false;
    if (calls.isEmpty())
        return;
    Engine engine;
    prepareEngine(engine, objects);
    engine.setSourceName(QStringLiteral("global.asa"));
    {
        const PageRun run(objects.timeLimitMs);
        engine.run(asa.script() + calls);
    }
    objects.server->endPage();
    recordErrors(engine);
    objects.errors += engine.errorMessages();
    engine.reset();
}

void AspProcessor::runGlobalAsaEvent(PageObjects &objects, const QString &procedure)
{
    const GlobalAsa asa = GlobalAsa::load(m_site.rootFolder());
    if (!asa.defines(procedure))
        return;
    // As on a server, the end of a session has no request to answer.
    Engine engine;
    prepareEngine(engine, objects, false);
    engine.setSourceName(QStringLiteral("global.asa"));
    {
        const PageRun run(objects.timeLimitMs);
        engine.run(asa.script() + QLatin1Char('\n') + procedure + QLatin1Char('\n'));
    }
    objects.server->endPage();
    recordErrors(engine);
    objects.errors += engine.errorMessages();
    engine.reset();
}

void AspProcessor::checkSession(PageObjects &objects)
{
    // A session left unused for longer than its Timeout ends; the next
    // page starts a new one.
    const qint64 now = m_clock();
    if (!m_sessionStartPending && now - m_sessionLastUse > qint64(m_session->timeoutMinutes()) * 60000) {
        runGlobalAsaEvent(objects, QStringLiteral("Session_OnEnd"));
        m_session->startNew();
        m_sessionStartPending = true;
    }
    m_sessionLastUse = now;
}

void AspProcessor::runScript(PageObjects &objects, const QString &file, const QString &text)
{
    const ExpandedPage expanded = expandIncludes(text, file);
    Script script = toScript(expanded);
    objects.errors += expanded.errors;
    for (const QString &language : script.otherLanguages)
        objects.errors.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                                  .arg(language, displayName(file)));
    if (!isVBScript(script.directives.language)) {
        objects.errors.append(QStringLiteral("Linguaggio di script non supportato: %1 (%2)")
                                  .arg(script.directives.language, displayName(file)));
        return;
    }
    // The page's own code page decides how its answer is written.
    const int codePage = script.directives.codePage;
    if (objects.depth == 0 && codePage > 0) {
        objects.directiveCodePage = codePage;
        if (codepage::isSupported(codePage))
            objects.response->setCodePage(codePage);
        else
            objects.errors.append(QStringLiteral("Code page non valida: %1 (%2)").arg(codePage).arg(displayName(file)));
    }

    const QStringList savedChunks = objects.response->chunks();
    const QString savedFile = objects.file;
    objects.response->chunks() = script.chunks;
    objects.file = file;
    Engine engine;
    prepareEngine(engine, objects);
    if (script.directives.lcid > 0)
        engine.setLocale(script.directives.lcid);
    engine.setSourceName(displayName(file));
    const QList<SourceLocation> lines = script.lines;
    engine.setLineMapper([lines](int scriptLine) {
        if (scriptLine >= 1 && scriptLine <= lines.size())
            return lines[scriptLine - 1];
        return lines.isEmpty() ? SourceLocation{} : lines.last();
    });
    if (objects.depth == 0) {
        // Pages run by Server.Execute share the page's time.
        objects.pageEngine = &engine;
        objects.started.start();
        const PageRun run(objects.timeLimitMs);
        engine.run(script.text);
        objects.server->endPage();
        objects.pageEngine = nullptr;
    } else {
        engine.run(script.text);
    }
    recordErrors(engine);
    objects.errors += engine.errorMessages();
    engine.reset();
    objects.response->chunks() = savedChunks;
    objects.file = savedFile;
}

void AspProcessor::executePage(PageObjects &objects, const QString &path0, bool transfer)
{
    const QString method = transfer ? QStringLiteral("Server.Transfer") : QStringLiteral("Server.Execute");
    // A query string is not passed on: the page sees the caller's request.
    QString path = path0.section(QLatin1Char('?'), 0, 0).trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString file;
    if (path.startsWith(QLatin1Char('/'))) {
        file = m_site.mapUrl(path);
    } else if (!path.isEmpty()) {
        const QString candidate = QDir::cleanPath(QFileInfo(objects.file).absolutePath() + QLatin1Char('/') + path);
        for (const QString &folder : m_site.allFolders()) {
            if (SiteMap::isInside(candidate, folder))
                file = candidate;
        }
    }
    if (file.isEmpty() || !QFileInfo(file).isFile())
        raise(ErrInvalidCall, QStringLiteral("%1: pagina non trovata: \"%2\".").arg(method, path0));
    if (!file.endsWith(QLatin1String(".asp"), Qt::CaseInsensitive))
        raise(ErrInvalidCall, QStringLiteral("%1: \"%2\" non è una pagina ASP.").arg(method, path0));
    if (objects.depth >= AspLimits::kMaxExecuteDepth)
        raise(ErrOutOfStack, QStringLiteral("%1: troppe pagine eseguite l'una dentro l'altra.").arg(method));
    QString text;
    bool tooLarge = false;
    if (!readFile(file, text, &tooLarge))
        raise(ErrInvalidCall, tooLarge ? QStringLiteral("%1: la pagina \"%2\" è troppo grande.").arg(method, path0)
                                       : QStringLiteral("%1: impossibile leggere \"%2\".").arg(method, path0));
    // The called page's errors appear where it ran.
    QStringList outer;
    outer.swap(objects.errors);
    ++objects.depth;
    runScript(objects, file, text);
    --objects.depth;
    outer.swap(objects.errors);
    for (const QString &message : outer)
        objects.response->appendMessage(QStringLiteral("<p>") + message + QStringLiteral("</p>"));
    if (transfer || objects.response->ended())
        throw ScriptStop{};
}

AspProcessor::Result AspProcessor::processPage(const QString &pageFile, const QByteArray &request,
                                               const AspConnectionInfo &connection)
{
    PageObjects objects;
    objects.file = pageFile;
    objects.timeLimitMs = m_timeLimitMs;
    objects.request = makeRef<AspRequest>();
    AspConnectionInfo info = connection;
    info.pageFile = pageFile;
    info.rootFolder = m_site.rootFolder();
    objects.request->parseRequest(request, info);
    objects.response = makeRef<AspResponse>();
    objects.response->setOutputLimit(m_outputLimit);
    objects.server = makeRef<AspServer>(m_site, fileRoots());
    objects.context = makeRef<ScriptingContext>();
    objects.context->attach(objects.request.get(), objects.response.get(), m_session.get(),
                            objects.server.get(), m_application.get());
    objects.server->setScriptingContext(objects.context.get());
    PageHost host(*this, objects);
    objects.server->setHost(&host);

    checkSession(objects);
    if (m_session->codePage())
        objects.response->setCodePage(m_session->codePage());
    if (m_globalAsaPending || m_sessionStartPending)
        runGlobalAsa(objects);

    Result result;
    QString pageText;
    bool tooLarge = false;
    if (objects.response->ended()) {
        // Session_OnStart redirected or ended the answer: the page does not run.
    } else if (readFile(pageFile, pageText, &tooLarge)) {
        runScript(objects, pageFile, pageText);
    } else {
        result.status = "500 Internal Server Error";
        objects.errors.append(tooLarge ? QStringLiteral("Il file %1 supera la dimensione massima di %2 MB e non viene eseguito.")
                                             .arg(displayName(pageFile)).arg(AspLimits::kMaxPageBytes >> 20)
                                       : QStringLiteral("Impossibile leggere il file %1.").arg(displayName(pageFile)));
    }
    if (objects.response->overflowed())
        objects.errors.append(QStringLiteral("La pagina ha superato il limite di %1 byte di output ed è stata interrotta.")
                                  .arg(m_outputLimit));

    if (m_session->isAbandoned()) {
        runGlobalAsaEvent(objects, QStringLiteral("Session_OnEnd"));
        m_session->startNew();
        m_sessionStartPending = true;
    }
    m_application->releaseLocks();

    AspResponse &response = *objects.response;
    result.redirect = response.redirectLocation();
    result.codePage = objects.directiveCodePage;
    if (result.redirect.isEmpty()) {
        for (const QString &message : objects.errors)
            response.appendMessage(QStringLiteral("<p>") + message + QStringLiteral("</p>"));
        result.output = response.output();
        result.body = response.body();
        if (result.status.startsWith("200"))
            result.status = response.status();
    }
    result.headers = response.headers();
    response.endPage();
    objects.server->setHost(nullptr);
    objects.server->setScriptingContext(nullptr);
    objects.context->detach();
    return result;
}

} // namespace preview
