// Polar chart handlers of the main window.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::drawPolarBackgroundAtStartup() {}
void frmMain::resetPolarChartForNew() {}
void frmMain::Tab1cmdPlot_Click() {}
void frmMain::Tab1cmdClear_Click() {}
void frmMain::Tab1cmdSine_Click() {}
void frmMain::DrawPolarPrintCopy() {}

} // namespace tarvex
