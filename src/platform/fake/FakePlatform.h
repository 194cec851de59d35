#pragma once
// All fakes in one bundle. A test builds one, scripts the fakes it cares about
// and hands bundle() to the main window.

#include "platform/Platform.h"
#include "platform/fake/FakeFileDialog.h"
#include "platform/fake/FakeHelpViewer.h"
#include "platform/fake/FakeMessageBox.h"

#include <memory>

namespace tarvex {

struct FakePlatform {
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeHelpViewer> helpViewer = std::make_shared<FakeHelpViewer>();

    // serial port


    std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();


    // clipboard


    // printer


    Platform bundle() const
    {
        Platform p;
        p.messageBox = messageBox;
        p.helpViewer = helpViewer;

        // serial port


        p.fileDialog = fileDialog;


        // clipboard


        // printer


        return p;
    }
};

} // namespace tarvex
