#include "platform/QtPlatform.h"

#include "files/Recovery.h"
#include "platform/QtClipboard.h"
#include "platform/QtFileDialog.h"
#include "platform/QtHelpViewer.h"
#include "platform/QtMessageBox.h"
#include "platform/QtPrinter.h"
#include "platform/QtSerialPort.h"

#include <QSettings>

namespace tarvex {

Platform makeQtPlatform()
{
    Platform p;
    p.messageBox = std::make_shared<QtMessageBox>();
    p.serialPort = std::make_shared<QtSerialPort>();
    p.fileDialog = std::make_shared<QtFileDialog>();
    p.clipboard = std::make_shared<QtClipboard>();
    p.printer = std::make_shared<QtPrinter>();
    p.helpViewer = std::make_shared<QtHelpViewer>();
    p.settingsFile = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantorel"),
                               QStringLiteral("Tarvex"))
                         .fileName();
    p.recoveryFile = DefaultRecoveryLocation();

    return p;
}

} // namespace tarvex
