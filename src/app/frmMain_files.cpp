// Open and Save handlers of the main window.
#include "frmMain.h"

#include "files/OpenSave.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "files/TextExport.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tarvex {

namespace {

// The note as typed: toPlainText() would turn no-break spaces into blanks,
// and a note read from a file must be written back as it was.
QString noteText(const QPlainTextEdit* box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

void frmMain::setUpFileDialogFolder()
{
    if (platform_.fileDialog)
        platform_.fileDialog->InitDir = applicationFolder;
}

void frmMain::mnuOpen_Click()
{
    FileDialog* dialog = platform_.fileDialog.get();
    const int tab = activeTab();
    const TabFileSettings* settings = FileSettingsForTab(tab);
    if (!dialog || !settings)
        return;
    dialog->Filter = settings->openFilter;
    if (!dialog->ShowOpen(this)) {
        MsgBox(dialog->ErrorText());
        return;
    }
    const QString path = dialog->FileName();
    if (!path.isEmpty()) {
        if (FileTypeOf(path) == settings->dataExtension) {
            // A file that could not be read leaves the table showing the data
            // it showed before, so the title keeps naming that data's file.
            if (readDataFile(tab, path)) {
                (tab == 0 ? ProfileFileName : PolarFileName) = dialog->FileTitle();
                setTitleWithFile(dialog->FileTitle());
            }
        } else {
            MsgBox(settings->wrongTypeOnOpen);
        }
    }
    dialog->InitDir.clear();
}

void frmMain::mnuSave_Click()
{
    SaveDataFile();
}

void frmMain::SaveDataFile()
{
    FileDialog* dialog = platform_.fileDialog.get();
    const int tab = activeTab();
    const TabFileSettings* settings = FileSettingsForTab(tab);
    if (!dialog || !settings)
        return;
    dialog->Filter = settings->saveFilter;
    dialog->DefaultExt = settings->dataExtension;
    if (!dialog->ShowSave(this))
        return;
    const QString path = dialog->FileName();
    if (!path.isEmpty()) {
        const QString type = FileTypeOf(path);
        const bool dataFile = type == settings->dataExtension;
        if (dataFile || type == kTextExportExtension) {
            if (!writeTabFile(tab, path, dataFile))
                return;
            (tab == 0 ? ProfileFileName : PolarFileName) = dialog->FileTitle();
            setTitleWithFile(dialog->FileTitle());
        } else {
            MsgBox(settings->wrongTypeOnSave);
        }
    }
    dialog->InitDir.clear();
}

bool frmMain::readDataFile(int tab, const QString& path)
{
    QPlainTextEdit* noteBox = tab == 0 ? Tab0txtNote : Tab1txtNote;
    QString note = noteText(noteBox);
    const QString noteBefore = note;
    if (tab == 0) {
        const ReadStatus status = ReadProfileFile(path, *Tab0msGrid, note);
        if (status != ReadStatus::Ok) {
            MsgBox(ProfileReadMessage(status));
            return false;
        }
        ProfilePlotted = false;
    } else {
        QString interval;
        const ReadStatus status = ReadPolarFile(path, *Tab1msGrid, interval, note);
        if (status != ReadStatus::Ok) {
            MsgBox(PolarReadMessage(status));
            return false;
        }
        Tab1cmbInterval->setCurrentIndex(Tab1cmbInterval->findText(interval));
    }
    if (note != noteBefore)
        noteBox->setPlainText(note);
    (tab == 0 ? ProfileModified : PolarModified) = false;
    return true;
}

bool frmMain::writeTabFile(int tab, const QString& path, bool dataFile)
{
    const DataTable& table = tab == 0 ? *Tab0msGrid : *Tab1msGrid;
    const QString note = noteText(tab == 0 ? Tab0txtNote : Tab1txtNote);
    SaveResult result;
    if (dataFile)
        result = tab == 0 ? WriteProfileFile(path, table, note) : WritePolarFile(path, table, note);
    else
        result = tab == 0 ? WriteProfileTextExport(path, table, note) : WritePolarTextExport(path, table, note);
    if (!result.ok()) {
        // Cells that are not numbers end the save silently; a text the file
        // cannot hold and a file that could not be written are explained.
        if (!result.message.isEmpty())
            MsgBox(result.message);
        return false;
    }
    // Only the data files clear the flag: after a text export the data
    // still has to be saved.
    if (dataFile)
        (tab == 0 ? ProfileModified : PolarModified) = false;
    return true;
}

} // namespace tarvex
