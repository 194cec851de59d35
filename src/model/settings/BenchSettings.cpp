#include "settings/BenchSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace tarvex {

BenchSettings BenchSettings::load(QSettings& s)
{
    BenchSettings b;
    // A stored value that is out of range or not a number falls back to the
    // default rather than making every reading stale or never steady.
    const auto number = [&s](const char* key, double fallback, double low, double high) {
        bool ok = false;
        const double v = s.value(QLatin1String(key)).toDouble(&ok);
        return ok && v >= low && v <= high ? v : fallback;
    };
    b.freshMs = qint64(number("Bench/FreshMs", b.freshMs, 100, 60000));
    b.steadyMs = qint64(number("Bench/SteadyMs", b.steadyMs, 50, 10000));
    b.bandPercent = number("Bench/BandPercent", b.bandPercent, 0, 100);
    b.bandUnits = number("Bench/BandUnits", b.bandUnits, 0, 1e6);
    b.average = int(number("Bench/Average", b.average, 1, 1000));
    const QString unit = s.value(QStringLiteral("Bench/Unit")).toString();
    if (unit == QLatin1String("kg") || unit == QLatin1String("lbf") || unit == QLatin1String("N"))
        b.unit = unit;
    if (s.value(QStringLiteral("Bench/LengthUnit")).toString() == QLatin1String("mm"))
        b.lengthUnit = QStringLiteral("mm");
    b.span = number("Bench/Span", b.span, 0, 1e5);
    b.deflection = number("Bench/Deflection", b.deflection, 0, 1e4);
    b.compliance = number("Bench/Compliance", b.compliance, 0, 1e3);
    b.libraryAddress = s.value(QStringLiteral("Library/Address")).toString().trimmed();
    b.shopName = s.value(QStringLiteral("Report/ShopName")).toString().trimmed();
    b.meter = MeterSettings::load(s);
    b.eiInLbfIn2 = s.value(QStringLiteral("Bench/EiUnit")).toString() == QLatin1String("lbf in2");
    return b;
}

void BenchSettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Bench/FreshMs"), freshMs);
    s.setValue(QStringLiteral("Bench/SteadyMs"), steadyMs);
    s.setValue(QStringLiteral("Bench/BandPercent"), bandPercent);
    s.setValue(QStringLiteral("Bench/BandUnits"), bandUnits);
    s.setValue(QStringLiteral("Bench/Average"), average);
    s.setValue(QStringLiteral("Bench/Unit"), unit);
    s.setValue(QStringLiteral("Bench/LengthUnit"), lengthUnit);
    s.setValue(QStringLiteral("Bench/Span"), span);
    s.setValue(QStringLiteral("Bench/Deflection"), deflection);
    s.setValue(QStringLiteral("Bench/Compliance"), compliance);
    s.setValue(QStringLiteral("Library/Address"), libraryAddress);
    s.setValue(QStringLiteral("Report/ShopName"), shopName);
    meter.save(s);
    s.setValue(QStringLiteral("Bench/EiUnit"), eiInLbfIn2 ? QStringLiteral("lbf in2") : QStringLiteral("N m2"));
}

BenchGeometry GeometryOf(const BenchSettings& s)
{
    BenchGeometry g;
    g.lengthUnit = s.lengthUnit == QLatin1String("mm") ? LengthUnit::Millimetre : LengthUnit::Inch;
    g.loadUnit = s.unit == QLatin1String("kg") ? LoadUnit::Kilogram
               : s.unit == QLatin1String("N")  ? LoadUnit::Newton
                                                : LoadUnit::PoundForce;
    g.span = s.span;
    g.deflection = s.deflection;
    g.compliance = s.compliance;
    return g;
}

QString MissingForEi(const BenchSettings& s)
{
    QStringList missing;
    if (!(s.span > 0))
        missing << QCoreApplication::translate("Device", "the span");
    if (!(s.deflection > 0))
        missing << QCoreApplication::translate("Device", "the deflection");
    // Without it the loads' unit is unknown and so is every EI.
    if (s.unit.isEmpty())
        missing << QCoreApplication::translate("Device", "the load unit");
    if (missing.size() > 1)
        return missing.mid(0, missing.size() - 1).join(QStringLiteral(", ")) + QCoreApplication::translate("Device", " and ") + missing.last();
    return missing.join(QString());
}

} // namespace tarvex
