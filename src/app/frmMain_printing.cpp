// The print command of the main window: the active chart is drawn once more,
// in print colours, on the hidden Picture1, and the report form opens with it.
#include "frmMain.h"

#include "platform/PictureArea.h"
#include "report/frmPrintView.h"

#include <exception>

namespace tarvex {

namespace {

// The command's steps ignore failures: one that fails is passed over.
template <typename Step>
void skipOnFailure(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

void frmMain::mnuPrint_Click()
{
    const int tab = activeTab();
    if (tab != 0 && tab != 1)
        return;
    // The copy is drawn at the designed size of the tab's chart area, so the
    // report gets the chart in the proportions it was laid out for, whatever
    // size the window has on screen.
    PictureArea* chartArea = tab == 0 ? Tab0Picture : Tab1Picture;
    skipOnFailure([&] { Picture1->setDesignSize(chartArea->designSize()); });
    if (tab == 0)
        skipOnFailure([&] { DrawXYPrintCopy(); });
    else
        skipOnFailure([&] { DrawPolarPrintCopy(); });
    PrintViewSource source;
    source.polar = tab == 1;
    source.chart = Picture1;
    source.note = tab == 0 ? Tab0txtNote : Tab1txtNote;
    source.table = tab == 0 ? Tab0msGrid : Tab1msGrid;
    frmPrintView form(platform(), source, this);
    form.exec();
}

} // namespace tarvex
