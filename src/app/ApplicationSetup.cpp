#include "ApplicationSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ApplicationSetup {

void beforeApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef Q_OS_UNIX
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

bool installItalianTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qt_it gathers the catalogues of the Qt modules (qtbase_it among them).
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qt_it"), folder)
        || translator->load(QStringLiteral("qtbase_it"), folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace ApplicationSetup
