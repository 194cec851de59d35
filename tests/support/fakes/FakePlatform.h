#pragma once
// All fakes in one bundle. A test builds one, scripts the fakes it cares about
// and hands bundle() to the main window.

#include "platform/Platform.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeFileDialog.h"
#include "fakes/FakeHelpViewer.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/FakeSerialPort.h"

#include <memory>

namespace tarvex {

struct FakePlatform {
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeHelpViewer> helpViewer = std::make_shared<FakeHelpViewer>();
    std::shared_ptr<FakeSerialPort> serialPort = std::make_shared<FakeSerialPort>();
    std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<Printer> printer;   // none unless a test gives one

    Platform bundle() const
    {
        Platform p;
        p.messageBox = messageBox;
        p.helpViewer = helpViewer;
        p.serialPort = serialPort;
        p.fileDialog = fileDialog;
        p.clipboard = clipboard;
        p.printer = printer;

        return p;
    }
};

} // namespace tarvex
