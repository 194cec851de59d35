#include "app/frmMain.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // Without a display Qt would abort with a long plugin message; say it plainly.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tarvex: no display found; run it on a desktop, or under Xvfb: xvfb-run -a %s\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex RS232"));
    QApplication::setApplicationVersion(QStringLiteral("2.5"));
    QApplication::setDesktopFileName(QStringLiteral("tarvex"));

    tarvex::frmMain window(tarvex::makeQtPlatform());
    window.show();
    return app.exec();
}
