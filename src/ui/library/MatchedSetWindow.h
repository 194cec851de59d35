#pragma once
// The matched set window: profiles of shafts of one model, their residuals
// against the set's median as a chart and a table, the odd ones out in words,
// the order from softest to stiffest, and the one-page set report.
#include "analysis/MatchedSet.h"
#include "report/Report.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace tarvex {

class PictureArea;

struct SetMember {
    QString name;                    // as the fitter knows the shaft: label, model, day
    std::vector<RowPoint> points;
    QString label;                   // its curve's name on the chart; empty: the name
};

class MatchedSetWindow : public QDialog {
    Q_OBJECT
public:
    explicit MatchedSetWindow(std::vector<SetMember> members, QWidget* parent = nullptr);
    const MatchedSet& figures() const { return set_; }
    // The flags in words and the order, as the window and the report show them.
    QStringList summary() const;
    // The report page: the residual chart, the shafts in order with their
    // names and mean residuals, and the summary under the chart.
    ReportPage page() const;

signals:
    void printRequested();
    void exportPdfRequested();

private:
    void drawChart(PictureArea& area, bool print) const;
    QString curveName(std::size_t shaft) const;
    std::vector<SetMember> members_;
    MatchedSet set_;
    PictureArea* chart_ = nullptr;
    PictureArea* printCopy_ = nullptr;
    QTableWidget* tblResiduals_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
};

} // namespace tarvex
