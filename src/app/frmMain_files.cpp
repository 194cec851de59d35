// Open and Save handlers of the main window.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::setUpFileDialogFolder() {}
void frmMain::mnuOpen_Click() {}
void frmMain::mnuSave_Click() { SaveDataFile(); }
void frmMain::SaveDataFile() {}

} // namespace tarvex
