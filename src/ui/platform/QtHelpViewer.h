#pragma once
// The manual in a window of the program's own: an HTML page with its links,
// back and forward. One window per viewer, brought forward on every call; a
// file that cannot be read is said so in that window.

#include "platform/HelpViewer.h"

#include <QPointer>
#include <QWidget>

namespace tarvex {

class QtHelpViewer : public HelpViewer {
public:
    ~QtHelpViewer() override;
    void showHelp(QWidget* owner, const QString& path) override;
    // The help window, once shown and while it lasts.
    QWidget* helpWindow() const { return window_; }

private:
    QPointer<QWidget> window_;
};

} // namespace tarvex
