#pragma once
// Tab 0, "X/Y Plot": the profile table (load along the shaft), its row
// lay-out, the "Add" button that records the live reading, the X/Y chart with
// the curves stored by earlier Plots, and the row pop-up menu. The chart shows
// the curves as loads, as EI, or as difference from a reference curve, with
// their figures in a small table under it.

#include "TableWorkspace.h"
#include "charts/xy/ProfileCurveStore.h"
#include "charts/xy/ProfileViews.h"
#include "analysis/FrequencyText.h"
#include "document/MeasurementDocument.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;
class QMenu;
class QAction;
class QPushButton;

namespace tarvex {

class ProfileWorkspace : public TableWorkspace {
    Q_OBJECT
public:
    ProfileWorkspace(const Platform& platform, ReadingReceiver& receiver, const Settings& settings,
                     QWidget* parent = nullptr);

    // The empty table the program starts with.
    void Form_Load();

    void plotChart() override { Tab0cmdPlot_Click(); }
    void clearChart() override { Tab0cmdClear_Click(); }
    void newData() override;

public slots:
    void Tab0cmdSet_Click();
    void Tab0cmdGridClear_Click();
    void Tab0cmdAdd_Click();
    void Tab0cmdPlot_Click();
    void Tab0cmdClear_Click();
    void DrawXYChart();
    void mnuFGridAddRow_Click();
    void mnuFGridInsRow_Click();
    void mnuFGridDelRow_Click();
    void mnuFGridExtrRow_Click();
    // The chart and the figures in the view chosen, of the curves on show.
    void showView();
    // Curves from elsewhere (the library) after those on show, numbered on
    // from them; the table is not touched.
    void overlayCurves(const XYCurveList& curves);
    // The frequency figure of the table on show, its note and the trims typed.
    void showFrequency();

public:
    // What the frequency of the table on show is predicted from, with
    // `geometry`, the loads in `loadUnit` and `meter`; empty, with the
    // reason, when something is missing.
    Result<FrequencyInput> frequencyInput(const GeometrySettings& geometry, const QString& loadUnit, const MeterSettings& meter) const;

protected:
    bool capture(double value) override;
    void dataChanged() override
    {
        chart().plotted = false;
        showFrequency();
    }
    void drawPrintCopy(PictureArea& copy) override { DrawXYPrintCopy(copy); }
    void describeResults(ReportPage& page) const override;
    void settingsChanged() override
    {
        showView();
        showFrequency();
    }

private:
    // Clear's rows, note and title, without ending an undo step.
    void clearRows();
    void DrawXYPrintCopy(PictureArea& copy);
    void buildPage();
    void buildRowMenu();
    bool askDeleteRow(int row);
    ProfileView currentView() const;
    CurvesView viewOf(ProfileView view) const;
    // The table's EI after the trims typed, dotted after the measured curves.
    void addTrimmedEi(CurvesView& view) const;
    // The reference list follows the curves on show.
    void listReferences();

    // The stored curves are the document's: the chart is only their view.
    XYChartState& chart() const { return document().chart(); }
    QLineEdit* Tab0txtStart = nullptr;
    QLineEdit* Tab0txtInterv = nullptr;
    QComboBox* Tab0cmbClubs = nullptr;
    QPushButton* Tab0cmdSet = nullptr;
    QPushButton* Tab0cmdGridClear = nullptr;
    QPushButton* Tab0cmdAdd = nullptr;
    QPushButton* Tab0cmdPlot = nullptr;
    QPushButton* Tab0cmdClear = nullptr;
    QCheckBox* Tab0chkNode = nullptr;
    QComboBox* Tab0cmbView = nullptr;
    QComboBox* Tab0cmbReference = nullptr;
    QLabel* Tab0lblView = nullptr;
    QTableWidget* Tab0tblFigures = nullptr;
    QLabel* Tab0lblFrequency = nullptr;
    QWidget* Tab0fraFrequency = nullptr;   // the frequency line and the trims
    QDoubleSpinBox* Tab0txtTipTrim = nullptr;
    QDoubleSpinBox* Tab0txtButtTrim = nullptr;
    QMenu* mnuFGridRows = nullptr;
};

} // namespace tarvex
