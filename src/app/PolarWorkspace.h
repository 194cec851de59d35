#pragma once
// Tab 1, "Polar Plot": the polar table (load around the shaft) laid out by
// angle interval, the "Add" button that records the live reading into the
// load column, the polar chart at a chosen scale and the sine view.

#include "TableWorkspace.h"
#include "analysis/SpineAnalysis.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvex {

class PolarWorkspace : public TableWorkspace {
    Q_OBJECT
public:
    PolarWorkspace(const Platform& platform, ReadingReceiver& receiver, const Settings& settings,
                   QWidget* parent = nullptr);

    // The empty table, the default interval and scale, the chart's background.
    void Form_Load();

    void plotChart() override { Tab1cmdPlot_Click(); }
    void clearChart() override { Tab1cmdClear_Click(); }
    void newData() override;

public slots:
    void Tab1cmdSet_Click();
    void Command1_Click();
    void Tab1cmdPlot_Click();
    void Tab1cmdClear_Click();
    void Tab1cmdSine_Click();

protected:
    bool capture(double value) override;
    void captured() override;
    void documentRead() override;
    void drawPrintCopy(PictureArea& copy) override { DrawPolarPrintCopy(copy); }
    void describeResults(ReportPage& page) const override;

private:
    void DrawPolarPrintCopy(PictureArea& copy);
    QString sineRange() const;
    void buildPage();
    // The background of an empty chart at the chosen scale.
    void drawBackground();
    SpineAnalysis showSpine();
    // The figures of the table as it stands: the panel, the sine view and the
    // report each work them out afresh, so none shows a stale result.
    SpineAnalysis spineOfTable() const { return AnalyzeSpine(NumberRowsOf(table()).points); }

    QComboBox* Tab1cmbInterval = nullptr;
    QLabel* Tab1lblSpine = nullptr;
    QPushButton* Tab1cmdSet = nullptr;
    QPushButton* Command1 = nullptr;            // "Add"
    QComboBox* Tab1cmbRange = nullptr;
    QPushButton* Tab1cmdPlot = nullptr;
    QPushButton* Tab1cmdClear = nullptr;
    QPushButton* Tab1cmdSine = nullptr;
};

} // namespace tarvex
