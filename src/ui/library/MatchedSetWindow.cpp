#include "library/MatchedSetWindow.h"

#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace tarvex {

namespace {

QString percent(double v)
{
    // -0.0 would read as a sign without a difference.
    return QLocale::system().toString(std::abs(v) < 0.005 ? 0.0 : v, 'f', 2);
}

} // namespace

MatchedSetWindow::MatchedSetWindow(std::vector<SetMember> members, QWidget* parent)
    : QDialog(parent), members_(std::move(members))
{
    setObjectName(QStringLiteral("MatchedSetWindow"));
    setWindowTitle(tr("Matched set of %1 shafts").arg(members_.size()));
    resize(900, 640);
    std::vector<std::vector<RowPoint>> curves;
    for (const SetMember& m : members_)
        curves.push_back(m.points);
    set_ = MatchSet(curves);

    auto* layout = new QVBoxLayout(this);
    chart_ = new PictureArea(QSize(499, 292), QColor(0, 0, 64), this);
    printCopy_ = new PictureArea(QSize(499, 292), QColor(255, 255, 255), this);
    auto* view = new PictureAreaWidget(chart_, this);
    view->setObjectName(QStringLiteral("picResiduals"));
    layout->addWidget(view, 3);
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("lblSummary"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summaryLabel_);
    tblResiduals_ = new QTableWidget(this);
    tblResiduals_->setObjectName(QStringLiteral("tblResiduals"));
    tblResiduals_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(tblResiduals_, 2);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* cmdPrint = new QPushButton(tr("&Print..."), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrintSet"));
    auto* cmdPdf = new QPushButton(tr("&Export PDF..."), this);
    cmdPdf->setObjectName(QStringLiteral("cmdExportSetPdf"));
    auto* cmdClose = new QPushButton(tr("&Close"), this);
    row->addWidget(cmdPrint);
    row->addWidget(cmdPdf);
    row->addWidget(cmdClose);
    layout->addLayout(row);
    connect(cmdPrint, &QPushButton::clicked, this, &MatchedSetWindow::printRequested);
    connect(cmdPdf, &QPushButton::clicked, this, &MatchedSetWindow::exportPdfRequested);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    cmdPrint->setEnabled(set_.ok());
    cmdPdf->setEnabled(set_.ok());

    summaryLabel_->setText(summary().join(QLatin1Char('\n')));
    if (!set_.ok())
        return;
    drawChart(*chart_, false);
    // A shaft a line, in the suggested order; a column per position.
    QStringList headings{QStringLiteral("#"), tr("Shaft"), tr("Flag"), tr("Mean (%)")};
    for (const double p : set_.positions)
        headings << tr("at %1 (%)").arg(QLocale::system().toString(p, 'g', 6));
    tblResiduals_->setColumnCount(int(headings.size()));
    tblResiduals_->setHorizontalHeaderLabels(headings);
    tblResiduals_->setRowCount(int(set_.order.size()));
    tblResiduals_->verticalHeader()->hide();
    for (int line = 0; line < int(set_.order.size()); ++line) {
        const int s = set_.order[std::size_t(line)];
        const MatchedShaft& m = set_.shafts[std::size_t(s)];
        QStringList cells{QString::number(s + 1), members_[std::size_t(s)].name, m.flagged ? tr("odd one out") : QString(),
                          percent(m.meanResidual)};
        for (const double r : m.residualPercent)
            cells << percent(r);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c != 1 && c != 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblResiduals_->setItem(line, c, item);
        }
    }
    tblResiduals_->resizeColumnsToContents();
}

void MatchedSetWindow::drawChart(PictureArea& area, bool print) const
{
    XYCurveList curves;
    std::vector<int> numbers;
    for (std::size_t s = 0; s < set_.shafts.size(); ++s) {
        XYCurve c;
        c.name = curveName(s);
        for (std::size_t p = 0; p < set_.positions.size(); ++p) {
            c.X.push_back(float(set_.positions[p]));
            c.Y.push_back(float(set_.shafts[s].residualPercent[p]));
        }
        curves.push_back(std::move(c));
        numbers.push_back(int(s) + 1);
    }
    // The page names the shafts in its own table; the screen in a legend.
    DrawCurves(area, curves, numbers, tr("Residual against the set's median (%)"), true,
               print ? std::optional<QColor>(xychart::kPrintForeColor) : std::optional<QColor>(xychart::kScreenLabelColor),
               QLocale::system(), static_cast<std::size_t>(-1), !print);
}

QString MatchedSetWindow::curveName(std::size_t s) const
{
    return members_[s].label.isEmpty() ? members_[s].name : members_[s].label;
}

QStringList MatchedSetWindow::summary() const
{
    if (!set_.ok())
        return {tr("No figures: ") + set_.refusal};
    QStringList flagged, order;
    for (std::size_t s = 0; s < set_.shafts.size(); ++s)
        if (set_.shafts[s].flagged)
            flagged << tr("%1 (curve %2)").arg(members_[s].name).arg(s + 1);
    for (const int s : set_.order)
        order << QString::number(s + 1);
    const QString verdict = !flagged.isEmpty()     ? tr("Does not match the set: %1.").arg(flagged.join(QStringLiteral(", ")))
        : !set_.tooSmall.isEmpty() ? tr("No shaft is flagged: %1.").arg(set_.tooSmall)
                                   : tr("No shaft stands out: every one is within the set's own spread.");
    return {verdict,
            tr("Softest to stiffest: %1.").arg(order.join(QStringLiteral(", ")))};
}

ReportPage MatchedSetWindow::page() const
{
    ReportPage page;
    page.layout = Workspace::Profile;
    drawChart(*printCopy_, true);
    page.chart = printCopy_->picture();
    page.shaftName = tr("Matched set of %1").arg(members_.size());
    page.rows.append({QStringLiteral("#"), tr("Shaft"), tr("Mean %")});
    for (const int s : set_.order)
        page.rows.append({QString::number(s + 1), curveName(std::size_t(s)), percent(set_.shafts[std::size_t(s)].meanResidual)});
    page.resultsTitle = tr("Matched set");
    page.results = summary();
    for (std::size_t s = 0; s < members_.size(); ++s)
        page.note += QStringLiteral("%1  %2\n").arg(s + 1).arg(members_[s].name);
    return page;
}

} // namespace tarvex
