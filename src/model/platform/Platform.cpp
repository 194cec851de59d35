#include "platform/Platform.h"

#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QCoreApplication>

namespace tarvex {

namespace {

class NoMessageBox : public MessageBox {
public:
    // A question nobody saw is not agreed to, and changes nothing where it can.
    MsgResult show(QWidget*, const QString&, MsgButtons buttons, const QString&) override
    {
        return buttons == MsgButtons::Ok ? MsgResult::Ok : buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
};

class NoHelpViewer : public HelpViewer {
public:
    void showHelp(QWidget*, const QString&) override {}
};

class NoSerialPort : public SerialPort {
public:
    int portCount() override { return 0; }
    QString portName(int) const override { return {}; }
    Result<> open(const QString&) override { return Failure(QCoreApplication::translate("SerialLink", "This computer offers no serial port.")); }
    bool isOpen() const override { return false; }
    void close() override {}
    QByteArray readAll() override { return {}; }
};

// Every dialog is cancelled: shown without failing, nothing chosen.
class NoFileDialog : public FileDialog {
public:
    bool ShowOpen(QWidget*) override { return true; }
    bool ShowSave(QWidget*) override { return true; }
};

class NoClipboard : public Clipboard {
public:
    void clear() override {}
    void setText(const QString&) override {}
    void setImage(const QImage&) override {}
    QString text() const override { return {}; }
};

} // namespace

std::shared_ptr<MessageBox> DoNothingMessageBox() { return std::make_shared<NoMessageBox>(); }
std::shared_ptr<HelpViewer> DoNothingHelpViewer() { return std::make_shared<NoHelpViewer>(); }
std::shared_ptr<SerialPort> DoNothingSerialPort() { return std::make_shared<NoSerialPort>(); }
std::shared_ptr<FileDialog> DoNothingFileDialog() { return std::make_shared<NoFileDialog>(); }
std::shared_ptr<Clipboard> DoNothingClipboard() { return std::make_shared<NoClipboard>(); }

} // namespace tarvex
