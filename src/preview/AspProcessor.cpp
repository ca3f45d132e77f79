#include "AspProcessor.h"

#include "AspApplication.h"
#include "AspRequest.h"
#include "AspResponse.h"
#include "AspServer.h"
#include "AspSession.h"
#include "AspText.h"
#include "GlobalAsa.h"
#include "ScriptingContext.h"
#include "ado/DatabasePool.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    QStringList errors;               // messages shown after the page's output
    QString file;                     // the page running now (Server.Execute changes it)
    int depth = 0;                    // pages run by Server.Execute within the page
    Engine *pageEngine = nullptr;     // the engine of the requested page
    int timeLimitMs = AspLimits::kDefaultPageTimeMs;
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
    void setScriptTimeout(int seconds) override
    {
        m_objects.timeLimitMs = int(std::min<qint64>(qint64(seconds) * 1000, AspLimits::kMaxPageTimeMs));
        if (m_objects.pageEngine)
            m_objects.pageEngine->setTimeLimit(m_objects.timeLimitMs);
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
    engine.run(asa.script() + calls);
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
    engine.run(asa.script() + QLatin1Char('\n') + procedure + QLatin1Char('\n'));
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

    const QStringList savedChunks = objects.response->chunks();
    const QString savedFile = objects.file;
    objects.response->chunks() = script.chunks;
    objects.file = file;
    Engine engine;
    prepareEngine(engine, objects);
    if (objects.depth == 0)
        objects.pageEngine = &engine;
    engine.setSourceName(displayName(file));
    const QList<SourceLocation> lines = script.lines;
    engine.setLineMapper([lines](int scriptLine) {
        if (scriptLine >= 1 && scriptLine <= lines.size())
            return lines[scriptLine - 1];
        return lines.isEmpty() ? SourceLocation{} : lines.last();
    });
    engine.run(script.text);
    if (objects.depth == 0) {
        objects.server->endPage();
        objects.pageEngine = nullptr;
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
