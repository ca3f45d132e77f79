#pragma once

#include "editors/common/EditorContract.h"

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;

namespace preview {
class WebServer;
}

// The preview view: starts the preview server over the project's site and
// shows it. With the embedded browser the site appears in the view; without
// it the view gives the address, a button that opens the system browser
// and the list of the requests served. The server lives as long as the view.
class CBrowserView : public QWidget, public EditorContract {
    Q_OBJECT
public:
    static inline const QString PreviewAddress = QStringLiteral("http://127.0.0.1:18888");

    // projectFolder: the open project's folder; port 0 picks a free port.
    explicit CBrowserView(const QString &projectFolder, QWidget *parent = nullptr,
                          quint16 port = 18888);
    ~CBrowserView() override;

    // Opens an address in the system browser (QDesktopServices by default);
    // without the embedded browser the preview opens there at once.
    using SystemBrowser = std::function<bool(const QUrl &url)>;
    static void setSystemBrowser(SystemBrowser opener);

    preview::WebServer &server() { return *m_server; }
    // Empty when the server is listening, else why it is not.
    QString startError() const { return m_startError; }
    QString address() const;
    void refresh();

private:
    void logRequest(const QString &method, const QString &target, int status);

    preview::WebServer *m_server;
    QString m_startError;
    QWidget *m_browser = nullptr;
    QLabel *m_addressLabel = nullptr;
    QPlainTextEdit *m_log = nullptr;
};
