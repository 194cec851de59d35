// Polar chart handlers of the main window.
#include "frmMain.h"

#include "charts/polar/PolarChart.h"
#include "charts/polar/frmSinePlot.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"

#include <QComboBox>

namespace tarvex {

MessageSink frmMain::polarMessages()
{
    return [this](const QString& text) { MsgBox(text); };
}

void frmMain::drawPolarBackgroundAtStartup()
{
    InitGraphic(*Tab1Picture, Tab1cmbRange->currentText(), false, polarMessages());
}

void frmMain::resetPolarChartForNew()
{
    Tab1Picture->Cls();
    InitGraphic(*Tab1Picture, Tab1cmbRange->currentText(), false, polarMessages());
}

void frmMain::Tab1cmdPlot_Click()
{
    if (const auto failure = DrawPolarChart(*Tab1Picture, *Tab1msGrid, Tab1cmbRange->currentText(), false,
                                            polarMessages()))
        MsgBox(*failure);
}

void frmMain::Tab1cmdClear_Click()
{
    Tab1Picture->Cls();
    InitGraphic(*Tab1Picture, Tab1cmbRange->currentText(), false, polarMessages());
}

void frmMain::Tab1cmdSine_Click()
{
    if (Tab1msGrid->Rows() < 3)
        return;
    frmSinePlot form(*Tab1msGrid, Tab1cmbRange->currentText(), *platform().messageBox, this);
    form.ShowModal();
}

void frmMain::DrawPolarPrintCopy()
{
    if (const auto failure = DrawPolarChart(*Picture1, *Tab1msGrid, Tab1cmbRange->currentText(), true,
                                            polarMessages()))
        MsgBox(*failure);
}

} // namespace tarvex
