#include "platform/Platform.h"

#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"

namespace tarvex {

Platform makeQtPlatform()
{
    Platform p;
    p.messageBox = std::make_shared<QtMessageBox>();

    // serial port


    p.fileDialog = std::make_shared<QtFileDialog>();


    // clipboard


    // printer


    // help viewer


    return p;
}

} // namespace tarvex
