#include "device/SettingsDialog.h"

#include "library/LibraryAddress.h"
#include "platform/Caption.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace tarvex {

namespace {

QDoubleSpinBox* number(double low, double high, int decimals, double step, const QString& suffix, const char* name)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setSuffix(suffix);
    return box;
}


} // namespace

SettingsDialog::SettingsDialog(const CaptureSettings& c, const GeometrySettings& g, const LibrarySettings& lib,
                               const ShopSettings& shop, QWidget* parent, Calibrator calibrate)
    : QDialog(parent), libraryAddress_(lib.address), clampOffset_(shop.meter.clampOffsetInches),
      calibratedOn_(shop.meter.calibratedOn), calibrate_(std::move(calibrate))
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(tr("Settings"));
    fresh_ = number(0.1, 60, 1, 0.5, QStringLiteral(" s"), "txtFresh");
    window_ = number(0.05, 10, 2, 0.1, QStringLiteral(" s"), "txtSteadyWindow");
    percent_ = number(0, 100, 2, 0.05, QStringLiteral(" %"), "txtBandPercent");
    units_ = number(0, 1e6, 3, 0.01, QString(), "txtBandUnits");
    average_ = new QSpinBox;
    average_->setObjectName(QStringLiteral("txtAverage"));
    average_->setRange(1, 1000);
    unit_ = new QComboBox;
    unit_->setObjectName(QStringLiteral("cmbUnit"));
    unit_->addItem(tr("none"), QString());
    for (const char* u : {"kg", "lbf", "N"})
        unit_->addItem(QLatin1String(u), QLatin1String(u));

    setup_ = new QComboBox;
    setup_->setObjectName(QStringLiteral("cmbSetup"));
    setup_->addItem(tr("Three-point: load at mid-span"));
    lengthUnit_ = new QComboBox;
    lengthUnit_->setObjectName(QStringLiteral("cmbLengthUnit"));
    for (const char* u : {"in", "mm"})
        lengthUnit_->addItem(QLatin1String(u), QLatin1String(u));
    eiUnit_ = new QComboBox;
    eiUnit_->setObjectName(QStringLiteral("cmbEiUnit"));
    eiUnit_->addItems({QStringLiteral("N·m²"), QStringLiteral("lbf·in²")});
    span_ = number(0, 1e5, 2, 0.5, QString(), "txtSpan");
    deflection_ = number(0, 1e4, 3, 0.01, QString(), "txtDeflection");
    compliance_ = number(0, 1e3, 5, 0.0001, QString(), "txtCompliance");
    span_->setSpecialValueText(tr("not set"));
    deflection_->setSpecialValueText(tr("not set"));
    // The suffixes follow the units, so the figures are never read in the wrong one.
    const auto showUnits = [this] {
        const QString length = QLatin1Char(' ') + lengthUnit_->currentText();
        span_->setSuffix(length);
        deflection_->setSuffix(length);
        const QString load = unit_->currentData().toString();
        compliance_->setSuffix(length + QLatin1Char('/') + (load.isEmpty() ? tr("load unit") : load));
    };
    connect(lengthUnit_, &QComboBox::currentIndexChanged, this, showUnits);
    connect(unit_, &QComboBox::currentIndexChanged, this, showUnits);

    fresh_->setValue(double(c.freshMs) / 1000);
    window_->setValue(double(c.steadyMs) / 1000);
    percent_->setValue(c.bandPercent);
    units_->setValue(c.bandUnits);
    average_->setValue(c.average);
    unit_->setCurrentIndex(std::max(0, unit_->findData(c.unit)));
    lengthUnit_->setCurrentIndex(std::max(0, lengthUnit_->findData(g.lengthUnit)));
    span_->setValue(g.span);
    deflection_->setValue(g.deflection);
    compliance_->setValue(g.compliance);
    eiUnit_->setCurrentIndex(g.eiInLbfIn2 ? 1 : 0);
    showUnits();

    auto* form = new QFormLayout;
    form->addRow(Caption(tr("A reading is &live for"), fresh_), fresh_);
    form->addRow(Caption(tr("&Steady over the last"), window_), window_);
    form->addRow(Caption(tr("Steady &band, of the load"), percent_), percent_);
    form->addRow(Caption(tr("Steady band, at leas&t"), units_), units_);
    form->addRow(Caption(tr("\"Add\" a&verages"), average_), average_);
    form->addRow(Caption(tr("Load &unit"), unit_), unit_);
    auto* geometry = new QGroupBox(tr("Bench geometry, for EI"));
    auto* bench = new QFormLayout(geometry);
    bench->addRow(Caption(tr("S&et-up"), setup_), setup_);
    bench->addRow(Caption(tr("Le&ngth unit"), lengthUnit_), lengthUnit_);
    bench->addRow(Caption(tr("S&pan"), span_), span_);
    bench->addRow(Caption(tr("&Deflection"), deflection_), deflection_);
    bench->addRow(Caption(tr("Bench co&mpliance"), compliance_), compliance_);
    bench->addRow(Caption(tr("EI displa&yed in"), eiUnit_), eiUnit_);
    auto* shared = new QGroupBox(tr("Shaft library"));
    auto* where = new QFormLayout(shared);
    // The password stays "***" on screen; left so, the one kept is kept.
    library_ = new QLineEdit(MaskedLocation(lib.address));
    library_->setObjectName(QStringLiteral("txtLibrary"));
    // Wide enough to read a whole address at once.
    library_->setMinimumWidth(library_->fontMetrics().horizontalAdvance(QStringLiteral("postgresql://fitter@shop-server:5432/shafts__")));
    library_->setPlaceholderText(tr("empty: this computer's own library file"));
    library_->setToolTip(tr("postgresql://user@server:5432/database for a library the shop's benches share; "
                            "the password is best kept in ~/.pgpass"));
    where->addRow(Caption(tr("Shared l&ibrary"), library_), library_);
    shop_ = new QLineEdit(shop.name);
    shop_->setObjectName(QStringLiteral("txtShopName"));
    shop_->setToolTip(tr("Printed at the head of a set's certificate"));
    where->addRow(Caption(tr("Shop name"), shop_), shop_);
    if (const QString forced = qEnvironmentVariable("TARVEX_LIBRARY"); !forced.isEmpty()) {
        auto* note = new QLabel(tr("TARVEX_LIBRARY is set, so %1 is used instead.").arg(MaskedLocation(forced)));
        note->setObjectName(QStringLiteral("lblLibraryForced"));
        note->setWordWrap(true);
        where->addRow(note);
    }
    // The frequency meter: kept in inches and grams, as meters are set.
    auto* meter = new QGroupBox(tr("Frequency meter"));
    auto* meterForm = new QFormLayout(meter);
    meterClamp_ = number(0, 20, 2, 0.25, QStringLiteral(" in"), "txtMeterClamp");
    meterTip_ = number(0, 2000, 1, 5, QStringLiteral(" g"), "txtMeterTip");
    meterOffset_ = number(-5, 5, 2, 0.25, QStringLiteral(" in"), "txtMeterOffset");
    meterClamp_->setValue(shop.meter.clampInches);
    meterTip_->setValue(shop.meter.tipGrams);
    meterOffset_->setValue(shop.meter.tipOffsetInches);
    meterOffset_->setToolTip(tr("How far beyond the tip the tip weight's centre sits"));
    measuredCpm_ = number(0, 2000, 1, 1, QStringLiteral(" cpm"), "txtMeasuredCpm");
    measuredCpm_->setSpecialValueText(tr("not measured"));
    measuredCpm_->setToolTip(tr("What your own meter reads on the shaft of the profile tab's table"));
    auto* fit = new QPushButton(tr("C&alibrate"));
    fit->setObjectName(QStringLiteral("cmdCalibrate"));
    fit->setEnabled(static_cast<bool>(calibrate_));
    auto* forget = new QPushButton(tr("Forget t&he calibration"));
    forget->setObjectName(QStringLiteral("cmdForgetCalibration"));
    calibration_ = new QLabel;
    calibration_->setObjectName(QStringLiteral("lblCalibration"));
    calibration_->setWordWrap(true);
    connect(fit, &QPushButton::clicked, this, &SettingsDialog::calibrate);
    connect(forget, &QPushButton::clicked, this, [this] {
        clampOffset_.reset();
        calibratedOn_.clear();
        showCalibration();
    });
    auto* measured = new QHBoxLayout;
    measured->addWidget(measuredCpm_, 1);
    measured->addWidget(fit);
    measured->addWidget(forget);
    meterForm->addRow(Caption(tr("Clamp len&gth"), meterClamp_), meterClamp_);
    meterForm->addRow(Caption(tr("Tip &weight"), meterTip_), meterTip_);
    meterForm->addRow(Caption(tr("Tip weight o&ffset"), meterOffset_), meterOffset_);
    meterForm->addRow(Caption(tr("Your meter &reads"), measuredCpm_), measured);
    meterForm->addRow(calibration_);
    showCalibration();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(geometry);
    layout->addWidget(meter);
    layout->addWidget(shared);
    layout->addWidget(buttons);
}

CaptureSettings SettingsDialog::capture() const
{
    CaptureSettings c;
    c.freshMs = qRound64(fresh_->value() * 1000);
    c.steadyMs = qRound64(window_->value() * 1000);
    c.bandPercent = percent_->value();
    c.bandUnits = units_->value();
    c.average = average_->value();
    c.unit = unit_->currentData().toString();
    return c;
}

GeometrySettings SettingsDialog::geometry() const
{
    GeometrySettings g;
    g.eiInLbfIn2 = eiUnit_->currentIndex() == 1;
    g.lengthUnit = lengthUnit_->currentData().toString();
    g.span = span_->value();
    g.deflection = deflection_->value();
    g.compliance = compliance_->value();
    return g;
}

LibrarySettings SettingsDialog::library() const
{
    return {UnmaskedLocation(library_->text().trimmed(), libraryAddress_)};
}

ShopSettings SettingsDialog::shop() const
{
    ShopSettings s;
    s.name = shop_->text().trimmed();
    s.meter.clampInches = meterClamp_->value();
    s.meter.tipGrams = meterTip_->value();
    s.meter.tipOffsetInches = meterOffset_->value();
    s.meter.clampOffsetInches = clampOffset_;
    s.meter.calibratedOn = calibratedOn_;
    return s;
}

void SettingsDialog::calibrate()
{
    if (!(measuredCpm_->value() > 0)) {
        showCalibration(tr("type the cpm your meter reads on the profile tab's shaft first"));
        return;
    }
    const GeometrySettings typed = geometry();
    MeterSettings meter = shop().meter;
    meter.clampOffsetInches.reset();
    const ClampCalibration fit = calibrate_(typed, capture().unit, meter, measuredCpm_->value());
    if (!fit.ok()) {
        showCalibration(fit.refusal);
        return;
    }
    clampOffset_ = fit.clampOffset / UnitsPerInch(LengthUnitOf(typed));
    calibratedOn_ = QStringLiteral("%1 cpm measured with %2 g and a %3 in clamp")
                        .arg(QString::number(measuredCpm_->value(), 'f', 1), QString::number(meter.tipGrams, 'g', 6),
                             QString::number(meter.clampInches, 'g', 6));
    showCalibration();
}

void SettingsDialog::showCalibration(const QString& refused)
{
    // Two whole sentences rather than "less" or "more" put into one: another
    // language may need the word elsewhere.
    const QString inches = QLocale().toString(std::fabs(clampOffset_.value_or(0)), 'f', 2);
    QString text = !clampOffset_      ? tr("Uncalibrated: predictions are for the clamp as set.")
                   : *clampOffset_ < 0 ? tr("Calibrated: the clamp holds %1 in less than set (%2).").arg(inches, calibratedOn_)
                                       : tr("Calibrated: the clamp holds %1 in more than set (%2).").arg(inches, calibratedOn_);
    if (!refused.isEmpty())
        text = tr("Not calibrated: %1. ").arg(refused) + text;
    calibration_->setText(text);
}

} // namespace tarvex
