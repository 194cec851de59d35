#pragma once
// All fakes in one bundle. A test builds one, scripts the fakes it cares about
// and hands bundle() to the main window.

#include "platform/Platform.h"
#include "platform/fake/FakeHelpViewer.h"
#include "platform/fake/FakeMessageBox.h"
#include "platform/fake/FakePrinter.h"

#include <memory>

namespace tarvex {

struct FakePlatform {
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeHelpViewer> helpViewer = std::make_shared<FakeHelpViewer>();

    // serial port


    // file dialog


    // clipboard


    std::shared_ptr<FakePrinter> printer = std::make_shared<FakePrinter>();


    Platform bundle() const
    {
        Platform p;
        p.messageBox = messageBox;
        p.helpViewer = helpViewer;

        // serial port


        // file dialog


        // clipboard


        p.printer = printer;


        return p;
    }
};

} // namespace tarvex
