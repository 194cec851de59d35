#pragma once
// Shows the help file. A missing file is the viewer's to report.

#include <QString>

class QWidget;

namespace tarvex {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showHelp(QWidget* owner, const QString& path) = 0;
};

} // namespace tarvex
