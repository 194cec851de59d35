// In-cell editing, the Edit menu and the row commands of the main window.
#include "frmMain.h"

#include "charts/xy/frmXYCaption.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "tables/CellEditor.h"
#include "tables/DataTableView.h"
#include "tables/EditCommands.h"

#include <QLineEdit>
#include <QMenu>

namespace tarvex {

namespace {

// Runs a command on a table and tells whether it changed a cell or the rows.
template <typename Command>
bool changesTable(DataTable& table, Command&& command)
{
    const auto before = table.snapshot();
    command(table);
    return table.snapshot() != before;
}

} // namespace

void frmMain::connectEditorEvents()
{
    Tab0Editor = new CellEditor(TableKind::Profile, *Tab0msGrid, *Tab0msGridView, *Tab0txtGridEdit, this);
    Tab1Editor = new CellEditor(TableKind::Polar, *Tab1msGrid, *Tab1msGridView, *Tab1txtGridEdit, this);
    Tab0Editor->onKeyTyped = [this] {
        ProfileModified = true;
        ProfilePlotted = false;
    };
    Tab1Editor->onKeyTyped = [this] { PolarModified = true; };
    for (CellEditor* editor : {Tab0Editor, Tab1Editor}) {
        editor->onHeadingDoubleClick = [this] { openCaptionDialog(); };
        editor->onEditMenu = [this](const QPoint& at) { popUp(mnuGridEdit, at); };
    }
    Tab0Editor->onRowMenu = [this](const QPoint& at) { popUp(mnuFGridRows, at); };
}

CellEditor* frmMain::editorOfTab(int tab) const
{
    return tab == 0 ? Tab0Editor : tab == 1 ? Tab1Editor : nullptr;
}

DataTable* frmMain::tableOfTab(int tab) const
{
    return tab == 0 ? Tab0msGrid : tab == 1 ? Tab1msGrid : nullptr;
}

void frmMain::markTableChanged(int tab)
{
    if (tab == 0) {
        ProfileModified = true;
        ProfilePlotted = false;
    } else if (tab == 1) {
        PolarModified = true;
    }
}

void frmMain::openCaptionDialog()
{
    const int tab = activeTab();
    DataTable* table = tableOfTab(tab);
    const QStringList before = table ? table->snapshot().front() : QStringList();
    frmXYCaption dialog(Tab0msGrid, Tab1msGrid, [this] { return activeTab(); }, this);
    dialog.exec();
    // The headings are saved with the table: renaming one is a change to save.
    // It does not touch the plotted data, so the chart has nothing to redraw.
    if (table && table->snapshot().front() != before) {
        if (tab == 0)
            ProfileModified = true;
        else
            PolarModified = true;
    }
}

void frmMain::popUp(QMenu* menu, const QPoint& globalPos)
{
    if (menu)
        menu->exec(globalPos);
}

void frmMain::BeginCellEdit()
{
    if (CellEditor* editor = editorOfTab(activeTab()))
        editor->BeginCellEdit();
}

void frmMain::AdvanceCell()
{
    if (CellEditor* editor = editorOfTab(activeTab()))
        editor->AdvanceCell();
}

void frmMain::ShowCurrentCell()
{
    if (CellEditor* editor = editorOfTab(activeTab()))
        editor->ShowCurrentCell();
}

// ---- Edit menu: the active tab's table -------------------------------------
// Every command that changes the table marks it changed, so closing asks
// before the change is lost.

bool frmMain::askDeleteRow(int row)
{
    return MsgBox(DeleteRowQuestion(row), MsgButtons::YesNo, kDeleteRowTitle) == MsgResult::Yes;
}

void frmMain::runTableCommand(int tab, const std::function<void(DataTable&)>& command)
{
    DataTable* table = tableOfTab(tab);
    if (!table)
        return;
    if (changesTable(*table, command))
        markTableChanged(tab);
    if (CellEditor* editor = editorOfTab(tab))
        editor->remarkCurrentCell();
}

void frmMain::mnuDelete_Click()
{
    runTableCommand(activeTab(), DeleteBlockRows);
}

void frmMain::mnuClear_Click()
{
    runTableCommand(activeTab(), ClearBlock);
}

void frmMain::mnuInsert_Click()
{
    runTableCommand(activeTab(), InsertRowAtCurrent);
}

void frmMain::mnuCopy_Click()
{
    DataTable* table = tableOfTab(activeTab());
    if (!table || !platform().clipboard)
        return;
    platform().clipboard->clear();
    platform().clipboard->setText(CopyBlock(*table));
}

void frmMain::mnuPaste_Click()
{
    const QString text = platform().clipboard ? platform().clipboard->text() : QString();
    runTableCommand(activeTab(), [&text](DataTable& t) { PasteIntoBlock(t, text); });
}

// ---- Row menu: the profile table -------------------------------------------

void frmMain::mnuFGridAddRow_Click()
{
    runTableCommand(0, AddRow);
    Tab0Editor->ShowCurrentCell();
}

void frmMain::mnuFGridInsRow_Click()
{
    runTableCommand(0, InsertRowAt);
    Tab0Editor->hideBox();
}

void frmMain::mnuFGridDelRow_Click()
{
    runTableCommand(0, [this](DataTable& t) { DeleteLastRow(t, [this](int row) { return askDeleteRow(row); }); });
}

void frmMain::mnuFGridExtrRow_Click()
{
    runTableCommand(0, [this](DataTable& t) { ExtractRow(t, [this](int row) { return askDeleteRow(row); }); });
}

} // namespace tarvex
