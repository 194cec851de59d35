#include "frmMain.h"
#include "frmSplash.h"
#include "Product.h"
#include "platform/MessageBox.h"
#include "platform/QtPlatform.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[])
{
    // Without a display Qt would abort with a long plugin message; say it plainly.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tarvex: no display found; run it on a desktop, or under Xvfb: xvfb-run -a %s\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(tarvex::kAppTitle);
    QApplication::setApplicationVersion(tarvex::kVersionText);
    QApplication::setDesktopFileName(QStringLiteral("tarvex"));
    tarvex::InstallTranslations(app, QLocale::system().uiLanguages());

    // The splash comes first and opens the main window when it closes; later it
    // is the main window's About box. Declared after the window's holder, it
    // goes first at the end.
    std::unique_ptr<tarvex::frmMain> window;
    tarvex::frmSplash splash;
    splash.createMainWindow = [&window, &splash] {
        window = std::make_unique<tarvex::frmMain>(tarvex::makeQtPlatform());
        window->showAboutBox = [&splash](tarvex::frmMain* owner) { splash.showAboutBox(owner); };
        // Once the window is on the screen: tables a crash left behind.
        QTimer::singleShot(0, window.get(), &tarvex::frmMain::offerRecovery);
        return window.get();
    };
    splash.show();
    return app.exec();
}
