#pragma once

#include "AspError.h"
#include "AspRequest.h"
#include "SiteMap.h"

#include "script/Dispatch.h"
#include "script/Engine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace preview {

class AspApplication;
class AspResponse;
class AspServer;
class AspSession;

// Limits of the page processor.
struct AspLimits {
    static constexpr int kMaxIncludeDepth = 32;
    static constexpr qint64 kMaxPageBytes = 8 * 1024 * 1024;  // page or include file
    static constexpr int kDefaultPageTimeMs = 10000;
    static constexpr int kMaxPageTimeMs = 300000;  // the most Server.ScriptTimeout may ask
    static constexpr int kMaxExecuteDepth = 8;     // pages run by Server.Execute within each other
    static constexpr qint64 kDefaultOutputBytes = 16 * 1024 * 1024;  // what one page may write
};

// Turns .asp pages into scripts and runs them with the Request, Response,
// Session and Server objects. One processor belongs to one preview server:
// it holds the shared session and runs global.asa on the first page.
class AspProcessor {
public:
    // The page text after include expansion, with the file and line each
    // of its lines comes from.
    struct ExpandedPage {
        QString text;
        QList<vbs::SourceLocation> lines;
        QStringList errors;      // include directives that could not be honoured (shown in the page)
        QStringList unresolved;  // missing files and malformed directives (not shown; asp-check reports them)
    };
    // What the page's "<%@ ... %>" directive asks for; empty or 0 when not given.
    struct Directives {
        QString language;
        int codePage = 0;
        int lcid = 0;
    };
    // The script of a page: literal text as chunks written by
    // Response.WriteHTML(n), code kept as it stands.
    struct Script {
        QString text;
        QStringList chunks;
        QList<vbs::SourceLocation> lines;  // origin of each script line
        Directives directives;
        // Languages of <script runat="server"> blocks that are not VBScript
        // (such blocks are left out of the script).
        QStringList otherLanguages;
    };
    struct Result {
        QString output;    // what the page wrote, then its errors as <p>...</p>
        QString redirect;  // non-empty when the page called Response.Redirect
        QByteArray status = "200 OK";  // status line after "HTTP/1.1 "
        QList<QByteArray> headers;     // "Name: value", without Content-Length
        QByteArray body;               // the output in the answer's code page
        int codePage = 0;  // the page directive's CodePage, 0 when it gave none
    };

    explicit AspProcessor(const SiteMap &site);
    ~AspProcessor();

    void setPageTimeLimit(int ms) { m_timeLimitMs = ms; }
    void setLocale(int lcid) { m_locale = lcid; }
    // The most a page may write (characters and bytes); past it the page
    // ends with an error paragraph.
    void setOutputLimit(qint64 limit) { m_outputLimit = limit; }
    // The clock that session timeouts are measured on (milliseconds).
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    // Folders that Scripting.FileSystemObject and the data components may use.
    void setFileRoots(const QStringList &roots) { m_fileRoots = roots; }
    QStringList fileRoots() const;

    AspSession &session() { return *m_session; }
    AspApplication &application() { return *m_application; }
    bool globalAsaPending() const { return m_globalAsaPending; }

    // Runs the page file for the request (head and body as received).
    Result processPage(const QString &pageFile, const QByteArray &request,
                       const AspConnectionInfo &connection = {});

    // Replaces each directive "<!-- #include virtual="..." -->" (from the
    // root folder) and "<!-- #include file="..." -->" (from the including
    // file's folder) by the text of the named file, nested includes too;
    // the text around a directive stays where it is. A file that includes
    // itself, directly or through others, gets an error instead of another
    // copy. Lines may end in CR LF, LF or CR; every text keeps its own.
    // A directive inside "<% %>" is code, not a directive.
    ExpandedPage expandIncludes(const QString &pageText, const QString &pageFile) const;
    // Compiles a page file with its includes as processPage would, without
    // running it. Returns what stops it, first the problem that comes first
    // in the page: a missing or malformed include, an include recursion, a
    // script language other than VBScript, the compile error. Empty when
    // the page compiles.
    QStringList checkPage(const QString &pageFile) const;

    // The conversion of an expanded page into its script. Outside code
    // "<%" opens a block ("<%=" and "<% =" an expression, "<%@" and "<% @"
    // the page directive); inside, only "%>" closes it, also within a
    // string or a comment, as the server has always read pages. The code of
    // <script runat="server"> blocks in VBScript comes after the page's own
    // code, where the server runs it.
    static Script toScript(const ExpandedPage &page);
    // True when the language of a page directive is one the engine runs.
    static bool isVBScript(const QString &language);

    // How a file is named in error messages: relative to the root folder.
    QString displayName(const QString &file) const;

private:
    struct PageObjects;
    struct Segment;
    struct Expansion;
    class PageHost;
    void expandInto(const QString &text, const QString &file, Expansion &x, ExpandedPage &out) const;
    void prepareEngine(vbs::Engine &engine, PageObjects &objects, bool withPage = true) const;
    void runGlobalAsa(PageObjects &objects);
    void runGlobalAsaEvent(PageObjects &objects, const QString &procedure);
    void checkSession(PageObjects &objects);
    void runScript(PageObjects &objects, const QString &file, const QString &text);
    void executePage(PageObjects &objects, const QString &path, bool transfer);
    void recordErrors(const vbs::Engine &engine);

    const SiteMap &m_site;
    vbs::Ref<AspSession> m_session;
    vbs::Ref<AspApplication> m_application;
    bool m_globalAsaPending = true;     // Application_OnStart has not run yet
    bool m_sessionStartPending = true;  // Session_OnStart has not run for this session
    qint64 m_sessionLastUse = 0;
    std::function<qint64()> m_clock;
    qint64 m_outputLimit = AspLimits::kDefaultOutputBytes;
    AspErrorInfo m_lastError;
    int m_timeLimitMs = AspLimits::kDefaultPageTimeMs;
    int m_locale = 1040;
    QStringList m_fileRoots;
};

} // namespace preview
