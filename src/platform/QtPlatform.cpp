#include "platform/Platform.h"

#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"

namespace tarvex {

Platform makeQtPlatform()
{
    Platform p;
    p.messageBox = std::make_shared<QtMessageBox>();

    // serial port


    // file dialog


    p.clipboard = std::make_shared<QtClipboard>();


    // printer


    // help viewer


    return p;
}

} // namespace tarvex
