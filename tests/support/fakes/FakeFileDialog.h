#pragma once
// Answers file dialogs from a queue of paths and records what it was asked.

#include "platform/FileDialog.h"

#include <QList>
#include <QString>
#include <deque>

namespace tarvex {

struct FileDialogRequest {
    bool save = false;
    QString filter;
    QString defaultExt;
    QString initDir;
};

class FakeFileDialog : public FileDialog {
public:
    bool ShowOpen(QWidget*) override { return answer(false); }
    bool ShowSave(QWidget*) override { return answer(true); }

    std::deque<QString> paths;   // front first; an empty path, or none left, is a cancel
    QString failWith;            // when set, the next dialog fails with this description
    QList<FileDialogRequest> asked;

private:
    bool answer(bool save);
};

} // namespace tarvex
