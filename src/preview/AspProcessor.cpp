#include "AspProcessor.h"

#include "AspRequest.h"
#include "AspResponse.h"
#include "AspServer.h"
#include "AspSession.h"
#include "AspText.h"
#include "ScriptingContext.h"
#include "ado/DatabasePool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// Lines of a file read as text: split at "\n", a "\r" before it dropped,
// no empty line after a final line end.
QStringList textLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

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

AspProcessor::ExpandedPage AspProcessor::expandIncludes(const QString &pageText, const QString &pageFile) const
{
    ExpandedPage out;
    QStringList stack;
    const QString canonical = QFileInfo(pageFile).canonicalFilePath();
    stack.append(canonical.isEmpty() ? QDir::cleanPath(pageFile) : canonical);
    expandInto(pageText, pageFile, true, stack, out);
    return out;
}

void AspProcessor::expandInto(const QString &text, const QString &file, bool pageLines, QStringList &stack,
                              ExpandedPage &out) const
{
    // The page's own lines keep their "\r\n"; the last one is whatever
    // follows the last "\r\n". Included files are read as text.
    QStringList lines;
    if (pageLines) {
        qsizetype from = 0;
        while (true) {
            const qsizetype end = text.indexOf(QLatin1String("\r\n"), from);
            if (end < 0) {
                lines.append(text.mid(from));
                break;
            }
            lines.append(text.mid(from, end + 2 - from));
            from = end + 2;
        }
    } else {
        lines = textLines(text);
    }

    const QString label = displayName(file);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const int lineNo = int(i) + 1;
        const qsizetype atVirtual = line.indexOf(QLatin1String("#include virtual"));
        const qsizetype atFile = line.indexOf(QLatin1String("#include file"));
        if (atVirtual < 0 && atFile < 0) {
            out.text += line;
            if (!pageLines)
                out.text += QLatin1Char('\n');
            out.lines.append(SourceLocation{label, lineNo});
            continue;
        }
        // The whole line is replaced by the file named between the first
        // two double quotes; without them, or without the file, by nothing.
        const bool isVirtual = atVirtual >= 0 && (atFile < 0 || atVirtual < atFile);
        const qsizetype q1 = line.indexOf(QLatin1Char('"'));
        const qsizetype q2 = q1 < 0 ? -1 : line.indexOf(QLatin1Char('"'), q1 + 1);
        if (q2 < 0)
            continue;
        QString name = line.mid(q1 + 1, q2 - q1 - 1);
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString base = isVirtual ? m_site.rootFolder() : QFileInfo(file).absolutePath();
        const QString target = QDir::cleanPath(base + QLatin1Char('/') + name);
        bool allowed = false;
        for (const QString &folder : m_site.allFolders())
            allowed = allowed || SiteMap::isInside(target, folder);
        if (!allowed || !QFileInfo(target).isFile())
            continue;
        const QString canonical = QFileInfo(target).canonicalFilePath();
        if (stack.contains(canonical)) {
            out.errors.append(QStringLiteral("Inclusione ricorsiva del file %1 (%2, riga %3)")
                                  .arg(name, label).arg(lineNo));
            continue;
        }
        if (stack.size() > AspLimits::kMaxIncludeDepth) {
            out.errors.append(QStringLiteral("Troppi livelli di inclusione nel file %1 (%2, riga %3)")
                                  .arg(name, label).arg(lineNo));
            continue;
        }
        QString content;
        if (!readFile(target, content))
            continue;
        stack.append(canonical);
        expandInto(content, target, false, stack, out);
        stack.removeLast();
    }
}

// --- page to script ------------------------------------------------------------

AspProcessor::Script AspProcessor::toScript(const ExpandedPage &page)
{
    Script s;
    const QString &t = page.text;
    int pageLine = 0;
    auto origin = [&](int line) {
        if (line < page.lines.size())
            return page.lines[line];
        return page.lines.isEmpty() ? SourceLocation{} : page.lines.last();
    };
    s.lines.append(origin(0));
    auto append = [&](QStringView text) {
        for (const QChar c : text) {
            s.text += c;
            if (c == QLatin1Char('\n'))
                s.lines.append(origin(pageLine));
        }
    };
    QString chunk;
    auto flushChunk = [&] {
        const int n = int(s.chunks.size());
        s.chunks.append(chunk);
        chunk.clear();
        append(QStringLiteral("\nResponse.WriteHTML(%1)\n").arg(n));
    };

    bool inside = false;
    bool directive = false;
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = t[i];
        const QChar next = i + 1 < n ? t[i + 1] : QChar();
        if (c == QLatin1Char('<') && next == QLatin1Char('%')) {
            if (!chunk.isEmpty())
                flushChunk();
            const QChar after = i + 2 < n ? t[i + 2] : QChar();
            if (after == QLatin1Char('=')) {
                append(u"\nResponse.Write");
                ++i;
            } else if (after == QLatin1Char('@') && !inside) {
                // <%@ Language=... %>: a processing directive, not code.
                directive = true;
            }
            inside = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('%') && next == QLatin1Char('>')) {
            append(u"\n");
            inside = false;
            directive = false;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\n'))
            ++pageLine;
        if (!inside)
            chunk += c;
        else if (!directive || c == QLatin1Char('\n'))
            append(QStringView(&c, 1));
    }
    if (!inside)
        flushChunk();
    return s;
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
    engine.run(script);
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
    {
        Engine engine;
        prepareEngine(engine, objects);
        engine.setSourceName(displayName(pageFile));
        const QList<SourceLocation> lines = script.lines;
        engine.setLineMapper([lines](int scriptLine) {
            if (scriptLine >= 1 && scriptLine <= lines.size())
                return lines[scriptLine - 1];
            return lines.isEmpty() ? SourceLocation{} : lines.last();
        });
        engine.run(script.text);
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
