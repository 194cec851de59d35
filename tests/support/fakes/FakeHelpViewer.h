#pragma once
#include "platform/HelpViewer.h"

#include <QStringList>

namespace tarvex {

class FakeHelpViewer : public HelpViewer {
public:
    void showHelp(QWidget*, const QString& path) override { shown << path; }
    QStringList shown;
};

} // namespace tarvex
