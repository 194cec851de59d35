#pragma once
// Modal Open and Save dialogs. The caller sets the filter, the default
// extension and the starting folder, shows the dialog, and reads back the
// chosen full path (empty when the user cancelled) and the chosen file's name.

#include <QList>
#include <QString>

class QWidget;

namespace tarvex {

// One entry of a filter text "description|pattern|description|pattern...".
struct FileFilterEntry {
    QString description;
    QString pattern;      // "*.tvl"; several patterns separated by ";"
};
QList<FileFilterEntry> ParseFileFilter(const QString& filter);

class FileDialog {
public:
    virtual ~FileDialog() = default;

    QString Filter;       // "description|pattern|..."
    QString DefaultExt;   // without the dot, given to a name typed without one
    QString InitDir;      // starting folder; empty leaves the choice to the dialog

    // Both return false only when the dialog itself failed (ErrorText() says
    // why); a cancel is not a failure and leaves FileName() empty.
    virtual bool ShowOpen(QWidget* owner) = 0;
    virtual bool ShowSave(QWidget* owner) = 0;

    QString FileName() const { return fileName_; }     // full path
    QString FileTitle() const { return fileTitle_; }   // the name the dialog lists
    QString ErrorText() const { return errorText_; }

protected:
    void setChosen(const QString& path);
    QString fileName_;
    QString fileTitle_;
    QString errorText_;
};

} // namespace tarvex
