#pragma once
// The scripted stand-ins for the platform facilities, and all of them in one
// bundle. A test builds a FakePlatform, scripts the fakes it cares about and
// hands bundle() to the main window; each fake records what it was asked.

#include "files/Cp1252.h"
#include "platform/Platform.h"
#include "platform/Clipboard.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/SerialPort.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <utility>

namespace tarvex {

struct AskedMessage {
    QString text;
    QString title;
    MsgButtons buttons;
};

// Answers message boxes from a queue.
class FakeMessageBox : public MessageBox {
public:
    std::deque<MsgResult> answers;   // consumed front first; empty: Ok / No
    QList<AskedMessage> asked;

    MsgResult show(QWidget*, const QString& text, MsgButtons buttons, const QString& title) override
    {
        asked.append({text, title, buttons});
        if (answers.empty())
            return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& m : asked)
            out << m.text;
        return out;
    }
};

struct FileDialogRequest {
    bool save = false;
    QString filter;
    QString defaultExt;
    QString initDir;
};

// Answers file dialogs from a queue of paths.
class FakeFileDialog : public FileDialog {
public:
    std::deque<QString> paths;   // front first; an empty path, or none left, is a cancel
    QString failWith;            // when set, the next dialog fails with this description
    QList<FileDialogRequest> asked;

    bool ShowOpen(QWidget*) override { return answer(false); }
    bool ShowSave(QWidget*) override { return answer(true); }

private:
    bool answer(bool save)
    {
        asked.append({save, Filter, DefaultExt, InitDir});
        setChosen(QString());
        errorText_ = std::exchange(failWith, QString());
        if (!errorText_.isEmpty())
            return false;
        if (!paths.empty()) {
            setChosen(paths.front());
            paths.pop_front();
        }
        return true;
    }
};

// A clipboard that lives in the test: what the program put there, and what
// the test wants it to find there.
class FakeClipboard : public Clipboard {
public:
    void clear() override { content.clear(); }
    void setText(const QString& text) override { content = text; }
    void setImage(const QImage& picture) override { image = picture; }
    QString text() const override { return content; }

    QString content;
    QImage image;
};

class FakeHelpViewer : public HelpViewer {
public:
    void showHelp(QWidget*, const QString& path) override { shown << path; }
    QStringList shown;
};

// A serial port with the ports the system "has", what an open fails with,
// received text fed in chunks (as the bench's Windows-1252 bytes), and an
// open port that can vanish: closed, and failed() raised.
class FakeSerialPort : public SerialPort {
    Q_OBJECT
public:
    QStringList ports;   // what portCount()/portName() report
    QString openError;   // non-empty: open() fails with this text

    void feed(const QString& chunk)
    {
        pending_ += ToCp1252(chunk);
        emit received();
    }
    void disappear(const QString& description)
    {
        open_ = false;
        emit failed(description);
    }

    int portCount() override
    {
        listed_ = ports;
        return static_cast<int>(listed_.size());
    }
    QString portName(int index) const override { return index >= 0 && index < listed_.size() ? listed_[index] : QString(); }
    Result<> open(const QString&) override
    {
        if (!openError.isEmpty())
            return Failure(openError);
        open_ = true;
        return {};
    }
    bool isOpen() const override { return open_; }
    void close() override { open_ = false; }
    QByteArray readAll() override { return std::exchange(pending_, QByteArray()); }

private:
    bool open_ = false;
    QByteArray pending_;
    QStringList listed_;
};

struct FakePlatform {
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeHelpViewer> helpViewer = std::make_shared<FakeHelpViewer>();
    std::shared_ptr<FakeSerialPort> serialPort = std::make_shared<FakeSerialPort>();
    std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<Printer> printer;   // none unless a test gives one
    QString settingsFile;               // none unless a test gives one
    QString recoveryFile;               // none unless a test gives one

    Platform bundle() const
    {
        Platform p;
        p.messageBox = messageBox;
        p.helpViewer = helpViewer;
        p.serialPort = serialPort;
        p.fileDialog = fileDialog;
        p.clipboard = clipboard;
        p.printer = printer;
        p.settingsFile = settingsFile;
        p.recoveryFile = recoveryFile;
        return p;
    }
};

} // namespace tarvex
