// Table lay-out commands of the main window: "Set" and "Clear" of the profile
// table, "Reset" of the polar table.
#include "frmMain.h"

#include "platform/MessageBox.h"
#include "tables/ProfileTable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvex {

void frmMain::Tab0cmdSet_Click()
{
    if (!ProfileSetRows(*Tab0msGrid, Tab0txtStart->text(), Tab0txtInterv->text(), Tab0cmbClubs->currentText()))
        return;
    ProfileModified = false;
}

void frmMain::Tab0cmdGridClear_Click()
{
    ProfileClearRows(*Tab0msGrid);
    Tab0txtNote->clear();
    ProfileFileName.clear();
    setWindowTitle(kAppTitle);
}

void frmMain::Tab1cmdSet_Click()
{
    const QString interval = Tab1cmbInterval->currentText();
    if (interval.isEmpty())
        return;
    if (!Tab1txtNote->toPlainText().isEmpty()
        && MsgBox(QStringLiteral("Do you want to reset the note also?"), MsgButtons::YesNo, kAppTitle) == MsgResult::Yes)
        Tab1txtNote->clear();
    if (SetPolarRows(*Tab1msGrid, interval))
        PolarModified = false;
    PolarFileName.clear();
    setWindowTitle(kAppTitle);
}

} // namespace tarvex
