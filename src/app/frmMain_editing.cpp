// In-cell editing, the Edit menu and the row commands of the main window.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::connectEditorEvents() {}
void frmMain::BeginCellEdit() {}
void frmMain::AdvanceCell() {}
void frmMain::ShowCurrentCell() {}
void frmMain::mnuDelete_Click() {}
void frmMain::mnuClear_Click() {}
void frmMain::mnuInsert_Click() {}
void frmMain::mnuCopy_Click() {}
void frmMain::mnuPaste_Click() {}
void frmMain::mnuFGridAddRow_Click() {}
void frmMain::mnuFGridInsRow_Click() {}
void frmMain::mnuFGridDelRow_Click() {}
void frmMain::mnuFGridExtrRow_Click() {}

} // namespace tarvex
