#pragma once
// The platform facilities the main window is given when it is built: the Qt
// implementations in the program, scripted fakes in tests. A facility that is
// absent (null) makes the steps that need it skip silently.

#include <memory>

namespace tarvex {

class MessageBox;
class HelpViewer;
class SerialPort;
class FileDialog;
class Clipboard;
class Printer;

struct Platform {
    std::shared_ptr<MessageBox> messageBox;
    std::shared_ptr<HelpViewer> helpViewer;
    std::shared_ptr<SerialPort> serialPort;
    std::shared_ptr<FileDialog> fileDialog;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<Printer> printer;
};

} // namespace tarvex
