// X/Y chart handlers of the main window.
#include "frmMain.h"

#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"

#include <QCheckBox>

namespace tarvex {

namespace {

// Greyed counts as not ticked.
bool NodesTicked(const QCheckBox* box)
{
    return box && box->checkState() == Qt::Checked;
}

} // namespace

void frmMain::Tab0cmdPlot_Click() { DrawXYChart(); }

void frmMain::Tab0cmdClear_Click()
{
    ClearXYChart(*Tab0Picture, CurvesStored, ProfilePlotted);
}

void frmMain::DrawXYChart()
{
    tarvex::DrawXYChart(*Tab0Picture, *Tab0msGrid, XYCurves, CurvesStored, ProfilePlotted, NodesTicked(Tab0chkNode),
                        [this](const QString& text) { MsgBox(text); });
}

void frmMain::DrawXYPrintCopy()
{
    tarvex::DrawXYPrintCopy(*Picture1, *Tab0msGrid, XYCurves, NodesTicked(Tab0chkNode));
}

} // namespace tarvex
