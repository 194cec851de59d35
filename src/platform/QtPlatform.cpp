#include "platform/Platform.h"

#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/QtSerialPort.h"
#include "platform/QtPrinter.h"

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

    return p;
}

} // namespace tarvex
