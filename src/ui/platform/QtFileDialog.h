#pragma once
// The Qt widget dialog, the same on every desktop.

#include "platform/FileDialog.h"

namespace tarvex {

class QtFileDialog : public FileDialog {
public:
    bool ShowOpen(QWidget* owner) override { return show(owner, false); }
    bool ShowSave(QWidget* owner) override { return show(owner, true); }

private:
    bool show(QWidget* owner, bool save);
    QString lastFolder_;   // where an empty starting folder puts the next dialog
};

} // namespace tarvex
