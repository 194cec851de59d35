// The print command of the main window.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::mnuPrint_Click() {}

} // namespace tarvex
