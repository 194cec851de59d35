#include "analysis/FrequencyText.h"

#include "settings/GeometrySettings.h"
#include "library/LibraryImport.h"

#include <QCoreApplication>
#include <QSettings>
#include <cmath>

namespace tarvex {

MeterSettings MeterSettings::load(QSettings& s)
{
    MeterSettings m;
    // Out of range or not a number: the default, rather than a meter no
    // shaft fits in.
    const auto number = [&s](const char* key, double fallback, double low, double high) {
        bool ok = false;
        const double v = s.value(QLatin1String(key)).toDouble(&ok);
        return ok && std::isfinite(v) && v >= low && v <= high ? v : fallback;
    };
    m.clampInches = number("Meter/ClampInches", m.clampInches, 0, 20);
    m.tipGrams = number("Meter/TipGrams", m.tipGrams, 0, 2000);
    m.tipOffsetInches = number("Meter/TipOffsetInches", m.tipOffsetInches, -5, 5);
    if (s.contains(QStringLiteral("Meter/ClampOffsetInches")))
        if (const double v = number("Meter/ClampOffsetInches", 1e9, -3, 3); v != 1e9)
            m.clampOffsetInches = v;
    m.calibratedOn = s.value(QStringLiteral("Meter/CalibratedOn")).toString();
    return m;
}

void MeterSettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Meter/ClampInches"), clampInches);
    s.setValue(QStringLiteral("Meter/TipGrams"), tipGrams);
    s.setValue(QStringLiteral("Meter/TipOffsetInches"), tipOffsetInches);
    if (clampOffsetInches)
        s.setValue(QStringLiteral("Meter/ClampOffsetInches"), *clampOffsetInches);
    else
        s.remove(QStringLiteral("Meter/ClampOffsetInches"));
    s.setValue(QStringLiteral("Meter/CalibratedOn"), calibratedOn);
}

MeterSetup MeterSetupOf(const MeterSettings& meter, LengthUnit unit)
{
    const double k = UnitsPerInch(unit);
    MeterSetup m;
    m.clamp = meter.clampInches * k;
    m.tipWeight = meter.tipGrams;
    m.tipOffset = meter.tipOffsetInches * k;
    m.clampOffset = meter.clampOffsetInches.value_or(0.0) * k;
    return m;
}

Result<ShaftDetails> ShaftDetailsOf(const QString& note, LengthUnit unit)
{
    const NotedShaft noted = ShaftDetailsInNote(note);
    if (!noted.lengthInches || !noted.weightGrams)
        return Failure(!noted.lengthInches && !noted.weightGrams ? QCoreApplication::translate("Analysis", "the note gives neither the shaft's length nor its weight")
                       : !noted.lengthInches                        ? QCoreApplication::translate("Analysis", "the note does not give the shaft's length")
                                                                    : QCoreApplication::translate("Analysis", "the note does not give the shaft's weight"));
    const double k = UnitsPerInch(unit);
    ShaftDetails d;
    d.length = *noted.lengthInches * k;
    d.weight = *noted.weightGrams;
    if (noted.balanceInches)
        d.balance = *noted.balanceInches * k;
    return d;
}

Result<FrequencyInput> FrequencyInputOf(const std::vector<RowPoint>& loads, const QString& note, const GeometrySettings& geometry,
                                        const QString& loadUnit, const MeterSettings& meter)
{
    if (const QString missing = MissingForEi(geometry, loadUnit); !missing.isEmpty())
        return Failure(QCoreApplication::translate("Analysis", "the bench settings lack %1 (Option > Settings)").arg(missing));
    const LengthUnit unit = LengthUnitOf(geometry);
    const Result<ShaftDetails> shaft = ShaftDetailsOf(note, unit);
    if (!shaft)
        return Failure(shaft.message() + QCoreApplication::translate("Analysis", " (lines \"Length: 41 in\" and \"Weight: 120 g\"; \"Balance: 22 in\" if known)"));
    const EiCurve ei = ConvertToEi(loads, GeometryOf(geometry, loadUnit));
    if (!ei.ok())
        return Failure(ei.refusal);
    FrequencyInput in;
    in.ei = EiRows(ei);
    in.unit = unit;
    in.shaft = *shaft;
    in.meter = MeterSetupOf(meter, unit);
    return in;
}

FrequencyFigure FrequencyFigureOf(const std::vector<RowPoint>& loads, const QString& note, const GeometrySettings& geometry,
                                  const QString& loadUnit, const MeterSettings& meter, const Trims& trims, const QLocale& locale)
{
    FrequencyFigure figure;
    Result<FrequencyInput> in = FrequencyInputOf(loads, note, geometry, loadUnit, meter);
    QString why = in.message();
    if (in) {
        in->trims = trims;
        figure.prediction = PredictFrequency(*in);
        why = figure.prediction.refusal;
    } else {
        figure.prediction.refusal = why;
    }
    if (!figure.ok()) {
        figure.lines << QCoreApplication::translate("Analysis", "No frequency: %1.").arg(why);
        return figure;
    }
    const FrequencyPrediction& p = figure.prediction;
    const LengthUnit unit = in->unit;
    const QString u = LengthUnitText(unit);
    const auto length = [&](double v) { return locale.toString(v, 'f', unit == LengthUnit::Inch ? 1 : 0) + QLatin1Char(' ') + u; };
    // Whole numbers as the meter shows them: "5 in", "255 g".
    const auto plain = [&](double v) { return locale.toString(v, 'g', 6); };
    QString trimmed;
    if (trims.tip > 0 || trims.butt > 0) {
        QStringList cut;
        if (trims.tip > 0)
            cut << QCoreApplication::translate("Analysis", "%1 off the tip").arg(length(trims.tip));
        if (trims.butt > 0)
            cut << QCoreApplication::translate("Analysis", "%1 off the butt").arg(length(trims.butt));
        trimmed = QCoreApplication::translate("Analysis", " after trimming ") + cut.join(QCoreApplication::translate("Analysis", " and "));
    }
    figure.lines << QCoreApplication::translate("Analysis", "Frequency %1 cpm%2 (%3 g tip, %4 %5 clamp), %6")
                        .arg(locale.toString(p.cpm, 'f', 0), trimmed, plain(in->meter.tipWeight), plain(in->meter.clamp), u,
                             meter.clampOffsetInches ? QCoreApplication::translate("Analysis", "calibrated") : QCoreApplication::translate("Analysis", "uncalibrated"));
    figure.lines << QCoreApplication::translate("Analysis", "Kick point %1, bend point %2 from the tip").arg(length(p.kickPoint), length(p.bendPoint));
    // Held EI over a short stretch changes little; over more it is a guess
    // the user should know the figure rests on.
    const double notable = 2.0 * UnitsPerInch(unit);
    QStringList guessed;
    if (p.extrapolatedTip > notable)
        guessed << QCoreApplication::translate("Analysis", "the first %1 at the tip").arg(length(p.extrapolatedTip));
    if (p.extrapolatedButt > notable)
        guessed << QCoreApplication::translate("Analysis", "the last %1 before the clamp").arg(length(p.extrapolatedButt));
    if (!guessed.isEmpty())
        figure.lines << QCoreApplication::translate("Analysis", "Not measured over %1 of the free %2: EI taken as at the nearest row there")
                            .arg(guessed.join(QCoreApplication::translate("Analysis", " and ")), length(p.freeLength));
    return figure;
}

} // namespace tarvex
