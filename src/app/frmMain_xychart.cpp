// X/Y chart handlers of the main window.
#include "app/frmMain.h"

namespace tarvex {

void frmMain::Tab0cmdPlot_Click() { DrawXYChart(); }
void frmMain::Tab0cmdClear_Click()
{
    CurvesStored = false;
    ProfilePlotted = false;
}
void frmMain::DrawXYChart() {}
void frmMain::DrawXYPrintCopy() {}

} // namespace tarvex
