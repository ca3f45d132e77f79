#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brellix"));
    QApplication::setApplicationName(QStringLiteral("Zanfira50"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zanfira"));
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
