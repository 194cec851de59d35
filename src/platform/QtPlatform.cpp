#include "platform/Platform.h"

#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/QtPrinter.h"

namespace tarvex {

Platform makeQtPlatform()
{
    Platform p;
    p.messageBox = std::make_shared<QtMessageBox>();

    // serial port


    // file dialog


    // clipboard


    p.printer = std::make_shared<QtPrinter>();


    // help viewer


    return p;
}

} // namespace tarvex
