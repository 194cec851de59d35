#include "device/frmSettings.h"

#include "platform/Caption.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

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

frmSettings::frmSettings(const BenchSettings& s, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    fresh_ = number(0.1, 60, 1, 0.5, QStringLiteral(" s"), "txtFresh");
    window_ = number(0.05, 10, 2, 0.1, QStringLiteral(" s"), "txtSteadyWindow");
    percent_ = number(0, 100, 2, 0.05, QStringLiteral(" %"), "txtBandPercent");
    units_ = number(0, 1e6, 3, 0.01, QString(), "txtBandUnits");
    average_ = new QSpinBox;
    average_->setObjectName(QStringLiteral("txtAverage"));
    average_->setRange(1, 1000);
    unit_ = new QComboBox;
    unit_->setObjectName(QStringLiteral("cmbUnit"));
    unit_->addItem(QStringLiteral("none"), QString());
    for (const char* u : {"kg", "lbf", "N"})
        unit_->addItem(QLatin1String(u), QLatin1String(u));

    fresh_->setValue(double(s.freshMs) / 1000);
    window_->setValue(double(s.steadyMs) / 1000);
    percent_->setValue(s.bandPercent);
    units_->setValue(s.bandUnits);
    average_->setValue(s.average);
    unit_->setCurrentIndex(std::max(0, unit_->findData(s.unit)));

    auto* form = new QFormLayout;
    form->addRow(Caption(QStringLiteral("A reading is &live for"), fresh_), fresh_);
    form->addRow(Caption(QStringLiteral("&Steady over the last"), window_), window_);
    form->addRow(Caption(QStringLiteral("Steady &band, of the load"), percent_), percent_);
    form->addRow(Caption(QStringLiteral("Steady band, at leas&t"), units_), units_);
    form->addRow(Caption(QStringLiteral("\"Add\" &averages"), average_), average_);
    form->addRow(Caption(QStringLiteral("Load &unit"), unit_), unit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

BenchSettings frmSettings::settings() const
{
    BenchSettings s;
    s.freshMs = qRound64(fresh_->value() * 1000);
    s.steadyMs = qRound64(window_->value() * 1000);
    s.bandPercent = percent_->value();
    s.bandUnits = units_->value();
    s.average = average_->value();
    s.unit = unit_->currentData().toString();
    return s;
}

} // namespace tarvex
