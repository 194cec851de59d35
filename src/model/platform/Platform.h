#pragma once
// The platform facilities the main window is given when it is built: the Qt
// implementations in the program, scripted fakes in tests. A facility left
// out is a do-nothing one (a message box that answers OK, or No to a question,
// a file dialog that is always cancelled, a port list that is empty, ...), so
// the code that uses them never checks for a missing one. The printer is the
// exception: without one, the preview shows a standard sheet and Print does
// nothing, so it stays null when left out. Without a settings file nothing is
// remembered from one run to the next.

#include <QString>
#include <memory>

namespace tarvex {

class MessageBox;
class HelpViewer;
class SerialPort;
class FileDialog;
class Clipboard;
class Printer;

std::shared_ptr<MessageBox> DoNothingMessageBox();
std::shared_ptr<HelpViewer> DoNothingHelpViewer();
std::shared_ptr<SerialPort> DoNothingSerialPort();
std::shared_ptr<FileDialog> DoNothingFileDialog();
std::shared_ptr<Clipboard> DoNothingClipboard();

struct Platform {
    std::shared_ptr<MessageBox> messageBox = DoNothingMessageBox();
    std::shared_ptr<HelpViewer> helpViewer = DoNothingHelpViewer();
    std::shared_ptr<SerialPort> serialPort = DoNothingSerialPort();
    std::shared_ptr<FileDialog> fileDialog = DoNothingFileDialog();
    std::shared_ptr<Clipboard> clipboard = DoNothingClipboard();
    std::shared_ptr<Printer> printer;
    // Where the window keeps its size and place and the recent files (INI).
    QString settingsFile;
    // Where unsaved tables are copied while they change; empty: nowhere.
    QString recoveryFile;
};

} // namespace tarvex
