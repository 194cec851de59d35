#include "library/BuildSetDialog.h"

#include "analysis/FrequencyText.h"
#include "analysis/TableReadings.h"
#include "charts/xy/XYChart.h"
#include "settings/GeometrySettings.h"
#include "settings/ShopSettings.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "library/StoreLibraryDialog.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "tables/DataTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <map>

namespace tarvex {

namespace {

QDoubleSpinBox* spin(QWidget* parent, const char* name, double value, double low, double high, int decimals,
                     const QString& suffix, double step)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setSuffix(QLatin1Char(' ') + suffix);
    box->setValue(value);
    return box;
}

} // namespace

namespace {

// Each shaft's newest polar measurement's spine; one search for all of them.
// A library that fails here is said among what was left out: the certificate
// would otherwise show its shafts as never spined.
std::map<qint64, ShaftSpine> spinesOf(ShaftLibrary& library, QStringList& skipped)
{
    std::map<qint64, ShaftSpine> found;
    LibraryQuery query;
    query.kind = MeasurementKind::Polar;
    const auto entries = library.search(query);
    if (!entries) {
        skipped << QCoreApplication::translate("tarvex::BuildSetDialog", "the spines: %1").arg(entries.message());
        return found;
    }
    std::map<qint64, QDateTime> newest;
    for (const LibraryEntry& e : *entries) {
        if (const auto it = newest.find(e.shaft.id); it != newest.end() && it->second >= e.takenAt)
            continue;
        const auto loaded = library.loadMeasurement(e.measurementId, false);
        if (!loaded) {
            skipped << QCoreApplication::translate("tarvex::BuildSetDialog", "the spine of measurement %1: %2").arg(e.measurementId).arg(loaded.message());
            continue;
        }
        const Measurement& m = *loaded;
        if (!m.spine)
            continue;
        newest[e.shaft.id] = e.takenAt;
        SpineGrade grade = SpineGrade::Reject;
        for (const SpineGrade g : {SpineGrade::Tour, SpineGrade::Consumer})
            if (m.spine->grade.compare(GradeName(g), Qt::CaseInsensitive) == 0)
                grade = g;
        found[e.shaft.id] = {m.spine->spinePercent, grade};
    }
    return found;
}

} // namespace

std::vector<SetShaft> SetShaftsFromLibrary(ShaftLibrary& library, const QList<qint64>& ids, const GeometrySettings& bench,
                                           const QString& loadUnit, QStringList& skipped, std::vector<std::optional<ShaftSpine>>* spine)
{
    std::vector<SetShaft> shafts;
    std::map<qint64, ShaftSpine> spines;
    if (spine)
        spines = spinesOf(library, skipped);
    const LengthUnit unit = LengthUnitOf(bench);
    const double perInch = UnitsPerInch(unit);
    for (const qint64 id : ids) {
        const auto loaded = library.loadWithShaft(id);
        if (!loaded) {
            skipped << QCoreApplication::translate("tarvex::BuildSetDialog", "measurement %1: %2").arg(id).arg(loaded.message());
            continue;
        }
        const Measurement& m = loaded->measurement;
        const Shaft& shaft = loaded->shaft;
        const QString name = ShaftTitle(shaft) + m.takenAt.toLocalTime().toString(QStringLiteral(", yyyy-MM-dd"));
        // The note speaks of this measurement's shaft as it was measured;
        // the shaft's own fields stand in where it says nothing.
        Result<ShaftDetails> details = ShaftDetailsOf(m.note, unit);
        if (!details && shaft.lengthInches && shaft.weightGrams)
            details = ShaftDetails{*shaft.lengthInches * perInch, *shaft.weightGrams, {}};
        if (!details) {
            skipped << QCoreApplication::translate("tarvex::BuildSetDialog", "%1: %2, nor do the shaft's fields").arg(name, details.message());
            continue;
        }
        DataTable table;
        MeasurementIntoTable(m, table);
        const EiCurve ei = ConvertToEi(NumberRowsOf(table).points, GeometryOf(bench, loadUnit));
        if (!ei.ok()) {
            skipped << QStringLiteral("%1: %2").arg(name, ei.refusal);
            continue;
        }
        shafts.push_back({name, EiRows(ei), *details});
        if (spine) {
            const auto it = spines.find(shaft.id);
            spine->push_back(it == spines.end() ? std::nullopt : std::optional<ShaftSpine>(it->second));
        }
    }
    return shafts;
}

BuildSetDialog* OpenBuildSet(ShaftLibrary& library, const QList<qint64>& ids, const GeometrySettings& bench, const QString& loadUnit,
                             const ShopSettings& shop, MessageBox& messages, QWidget* parent)
{
    if (const QString missing = MissingForEi(bench, loadUnit); !missing.isEmpty()) {
        messages.show(parent, QCoreApplication::translate("tarvex::BuildSetDialog", "The bench settings lack %1 (Option > Settings): a set is built from the shafts' EI.").arg(missing));
        return nullptr;
    }
    QStringList skipped;
    std::vector<std::optional<ShaftSpine>> spine;
    std::vector<SetShaft> shafts = SetShaftsFromLibrary(library, ids, bench, loadUnit, skipped, &spine);
    if (shafts.size() < 2) {
        QString text = QCoreApplication::translate("tarvex::BuildSetDialog", "Select at least 2 profiles of shafts whose length and weight are known "
                                                                          "(the note's \"Length: 41 in\" and \"Weight: 120 g\" lines, or the shaft's fields).");
        if (!skipped.isEmpty())
            text += QCoreApplication::translate("tarvex::BuildSetDialog", "\n\nLeft out:\n") + skipped.join(QLatin1Char('\n'));
        messages.show(parent, text);
        return nullptr;
    }
    const LengthUnit unit = LengthUnitOf(bench);
    SetRequest request = DefaultSetRequest(unit);
    request.meter = MeterSetupOf(shop.meter, unit);
    request.shafts = std::move(shafts);
    auto* window = new BuildSetDialog(std::move(request), std::move(skipped), parent, shop.name, std::move(spine));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

BuildSetDialog::BuildSetDialog(SetRequest request, QStringList skipped, QWidget* parent, QString shop,
                         std::vector<std::optional<ShaftSpine>> spine)
    : QDialog(parent), request_(std::move(request)), skipped_(std::move(skipped)), shop_(std::move(shop)), spine_(std::move(spine))
{
    setObjectName(QStringLiteral("BuildSetDialog"));
    setWindowTitle(tr("Build a set of %1 irons").arg(request_.shafts.size()));
    resize(980, 680);
    const QString u = LengthUnitText(request_.unit);
    const double k = UnitsPerInch(request_.unit);
    const int places = request_.unit == LengthUnit::Inch ? 2 : 1;

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    firstBox_ = spin(this, "txtFirstLength", request_.firstLength, 10 * k, 60 * k, places, u, 0.25 * k);
    spacingBox_ = spin(this, "txtSpacing", request_.spacing, 0, 2 * k, places, u, 0.125 * k);
    slopeBox_ = spin(this, "txtSlope", request_.slope, -20, 20, 2, tr("cpm a club"), 0.1);
    tipBox_ = spin(this, "txtTipWeight", request_.meter.tipWeight, 0, 2000, 1, QStringLiteral("g"), 1);
    tipStepBox_ = spin(this, "txtTipStep", request_.tipWeightStep, -50, 50, 1, tr("g a club"), 1);
    maxTipBox_ = spin(this, "txtMaxTipTrim", request_.maxTipTrim, 0, 10 * k, places, u, 0.25 * k);
    baseTipBox_ = spin(this, "txtBaseTipTrim", request_.baseTipTrim, 0, 10 * k, places, u, 0.25 * k);
    cboAssign_ = new QComboBox(this);
    cboAssign_->setObjectName(QStringLiteral("cboAssign"));
    cboAssign_->addItems({tr("As listed, the first to the longest club"), tr("Softest shaft to the longest club")});
    cboAssign_->setCurrentIndex(request_.assignment == SetAssignment::SoftestToLongest ? 1 : 0);
    form->addRow(tr("&Longest club's shaft:"), firstBox_);
    form->addRow(tr("Each next club &shorter by:"), spacingBox_);
    form->addRow(tr("Fre&quency slope:"), slopeBox_);
    form->addRow(tr("&Tip weight, longest club:"), tipBox_);
    form->addRow(tr("Each next &head heavier by:"), tipStepBox_);
    form->addRow(tr("Largest tip t&rim:"), maxTipBox_);
    form->addRow(tr("&Base tip trim:"), baseTipBox_);
    form->addRow(tr("&Assign:"), cboAssign_);
    toleranceBox_ = spin(this, "txtTolerance", CertificateTolerances{}.maxResidualCpm, 0, 20, 1, QStringLiteral("cpm"), 0.1);
    toleranceBox_->setToolTip(tr("How far from the fitted line a club may be and the set still pass, on the certificate"));
    form->addRow(tr("Passes &within:"), toleranceBox_);
    spineCheck_ = new QCheckBox(tr("Fails on a spine &graded reject"), this);
    spineCheck_->setObjectName(QStringLiteral("chkSpineFails"));
    spineCheck_->setChecked(CertificateTolerances{}.failSpineReject);
    matchedCheck_ = new QCheckBox(tr("Fails on a shaft the matched set &flags"), this);
    matchedCheck_->setObjectName(QStringLiteral("chkMatchedFails"));
    matchedCheck_->setChecked(CertificateTolerances{}.failMatchedFlag);
    form->addRow(QString(), spineCheck_);
    form->addRow(QString(), matchedCheck_);
    customerBox_ = new QLineEdit(this);
    customerBox_->setObjectName(QStringLiteral("txtCustomer"));
    form->addRow(tr("C&ustomer:"), customerBox_);
    form->addRow(tr("Clamp:"), new QLabel(tr("%1 %2 (Option > Settings)")
                                              .arg(QLocale::system().toString(request_.meter.clamp + request_.meter.clampOffset, 'g', 4), u), this));
    top->addLayout(form);
    chart_ = new PictureArea(QSize(499, 292), QColor(0, 0, 64), this);
    auto* view = new PictureAreaWidget(chart_, this);
    view->setObjectName(QStringLiteral("picFrequencies"));
    auto* charts = new QVBoxLayout;
    charts->addWidget(view, 1);
    eiChart_ = new PictureArea(QSize(499, 292), QColor(0, 0, 64), this);
    auto* eiView = new PictureAreaWidget(eiChart_, this);
    eiView->setObjectName(QStringLiteral("picTrimmedEi"));
    charts->addWidget(eiView, 1);
    top->addLayout(charts, 1);
    layout->addLayout(top, 3);
    tblClubs_ = new QTableWidget(this);
    tblClubs_->setObjectName(QStringLiteral("tblClubs"));
    tblClubs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblClubs_->verticalHeader()->hide();
    layout->addWidget(tblClubs_, 3);
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("lblSetSummary"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summaryLabel_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* cmdPrint = new QPushButton(tr("&Print certificate..."), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrintCertificate"));
    auto* cmdPdf = new QPushButton(tr("E&xport PDF..."), this);
    cmdPdf->setObjectName(QStringLiteral("cmdExportCertificate"));
    row->addWidget(cmdPrint);
    row->addWidget(cmdPdf);
    connect(cmdPrint, &QPushButton::clicked, this, &BuildSetDialog::printRequested);
    connect(cmdPdf, &QPushButton::clicked, this, &BuildSetDialog::exportPdfRequested);
    auto* cmdClose = new QPushButton(tr("&Close"), this);
    row->addWidget(cmdClose);
    layout->addLayout(row);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    for (QDoubleSpinBox* box : {firstBox_, spacingBox_, slopeBox_, tipBox_, tipStepBox_, maxTipBox_, baseTipBox_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &BuildSetDialog::solve);
    connect(cboAssign_, &QComboBox::currentIndexChanged, this, &BuildSetDialog::solve);
    solve();
}

void BuildSetDialog::solve()
{
    request_.firstLength = firstBox_->value();
    request_.spacing = spacingBox_->value();
    request_.slope = slopeBox_->value();
    request_.meter.tipWeight = tipBox_->value();
    request_.tipWeightStep = tipStepBox_->value();
    request_.maxTipTrim = maxTipBox_->value();
    request_.baseTipTrim = baseTipBox_->value();
    request_.assignment = cboAssign_->currentIndex() == 1 ? SetAssignment::SoftestToLongest : SetAssignment::AsListed;
    set_ = BuildSet(request_);
    fillTable();
    drawChart();
    drawEi();
    summaryLabel_->setText(summary().join(QLatin1Char('\n')));
}

void BuildSetDialog::fillTable()
{
    const QLocale locale = QLocale::system();
    const QString u = LengthUnitText(request_.unit);
    const int places = request_.unit == LengthUnit::Inch ? 2 : 1;
    const auto length = [&](double v) { return locale.toString(std::fabs(v) < 5e-4 ? 0.0 : v, 'f', places); };
    const auto cpm = [&](double v) { return locale.toString(std::fabs(v) < 0.05 ? 0.0 : v, 'f', 1); };
    const QStringList headings{tr("Club"), tr("Shaft"), tr("Length (%1)").arg(u),
                               tr("Tip trim (%1)").arg(u), tr("Butt trim (%1)").arg(u),
                               tr("Tip weight (g)"), tr("Frequency (cpm)"), tr("Target (cpm)"),
                               tr("Off the line (cpm)"), tr("Residual (cpm)"), tr("On the line")};
    tblClubs_->clear();
    tblClubs_->setColumnCount(int(headings.size()));
    tblClubs_->setHorizontalHeaderLabels(headings);
    tblClubs_->setRowCount(int(set_.clubs.size()));
    for (int line = 0; line < int(set_.clubs.size()); ++line) {
        const SetClub& c = set_.clubs[std::size_t(line)];
        const QStringList cells{QString::number(c.club + 1), c.name, length(c.length), length(c.trims.tip), length(c.trims.butt),
                                locale.toString(c.tipWeight, 'f', 1), c.hasCpm ? cpm(c.cpm) : QStringLiteral("-"), cpm(c.targetCpm),
                                c.hasCpm ? cpm(c.offLine()) : QStringLiteral("-"), c.hasCpm ? cpm(c.residual) : QStringLiteral("-"),
                                c.onLine() ? tr("yes") : tr("no")};
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col != 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblClubs_->setItem(line, col, item);
        }
    }
    tblClubs_->resizeColumnsToContents();
}

// The clubs' predicted frequencies, and the line they are trimmed to dotted
// over them.
void BuildSetDialog::drawChart()
{
    chart_->Cls();
    if (!set_.ok() || set_.clubs.empty())
        return;
    XYCurve predicted, target;
    for (const SetClub& c : set_.clubs) {
        target.X.push_back(float(c.club + 1));
        target.Y.push_back(float(c.targetCpm));
        if (c.hasCpm) {
            predicted.X.push_back(float(c.club + 1));
            predicted.Y.push_back(float(c.cpm));
        }
    }
    DrawCurves(*chart_, {predicted, target}, {1, 2}, tr("Frequency (cpm) against club"), true,
               std::optional<QColor>(xychart::kScreenLabelColor), QLocale::system(), 1);
}

// The trimmed shafts' EI from the butt, one curve a club in its number's
// colour, so a soft spot shows where it lies on the finished club.
void BuildSetDialog::drawEi()
{
    eiChart_->Cls();
    if (!set_.ok() || set_.clubs.empty())
        return;
    XYCurveList curves;
    std::vector<int> numbers;
    for (const SetClub& c : set_.clubs) {
        const SetShaft& shaft = request_.shafts[c.shaft];
        const std::vector<RowPoint> ei = TrimmedEi(shaft.ei, shaft.details.length, c.trims);
        XYCurve curve;
        for (auto r = ei.rbegin(); r != ei.rend(); ++r) {
            curve.X.push_back(float(c.length - r->x));
            curve.Y.push_back(float(r->y));
        }
        curves.push_back(curve);
        numbers.push_back(c.club + 1);
    }
    // Without node marks: a dozen curves read every 2 in would bury each other.
    DrawCurves(*eiChart_, curves, numbers,
               tr("EI (N m^2) against distance from the butt (%1)").arg(LengthUnitText(request_.unit)), false,
               std::optional<QColor>(xychart::kScreenLabelColor), QLocale::system(), curves.size());
}

SetCertificate BuildSetDialog::certificate() const
{
    CertificateInput in;
    in.shop = shop_;
    in.customer = customerBox_->text();
    in.date = QDate::currentDate();
    in.request = request_;
    in.set = set_;
    in.spine = spine_;
    in.tolerances.maxResidualCpm = toleranceBox_->value();
    in.tolerances.failSpineReject = spineCheck_->isChecked();
    in.tolerances.failMatchedFlag = matchedCheck_->isChecked();
    return CertifySet(in, QLocale::system());
}

QStringList BuildSetDialog::summary() const
{
    QStringList lines;
    if (!set_.ok()) {
        lines << tr("No set: %1.").arg(set_.refusal);
    } else {
        int onLine = 0;
        for (const SetClub& c : set_.clubs)
            onLine += c.onLine() ? 1 : 0;
        const QLocale locale = QLocale::system();
        lines << tr("%1 of %2 clubs on the line (within 0.5 cpm of it with the trims solved); the frequencies rise by %3 cpm a club "
                    "(a robust line through them; asked: %4).")
                     .arg(onLine).arg(set_.clubs.size())
                     .arg(std::isfinite(set_.slope) ? locale.toString(set_.slope, 'f', 2) : QStringLiteral("-"),
                          locale.toString(request_.slope, 'f', 2));
        for (const SetClub& c : set_.clubs)
            if (const QString mark = SetClubMark(c, request_.unit, locale); !mark.isEmpty())
                lines << mark + QLatin1Char('.');
    }
    if (!skipped_.isEmpty())
        lines << tr("Left out: %1.").arg(skipped_.join(QStringLiteral("; ")));
    return lines;
}

} // namespace tarvex
