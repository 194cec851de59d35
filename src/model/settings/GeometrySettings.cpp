#include "settings/GeometrySettings.h"

#include "settings/StoredNumber.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace tarvex {

GeometrySettings GeometrySettings::load(QSettings& s)
{
    GeometrySettings g;
    if (s.value(QStringLiteral("Bench/LengthUnit")).toString() == QLatin1String("mm"))
        g.lengthUnit = QStringLiteral("mm");
    g.span = StoredNumber(s, "Bench/Span", g.span, 0, 1e5);
    g.deflection = StoredNumber(s, "Bench/Deflection", g.deflection, 0, 1e4);
    g.compliance = StoredNumber(s, "Bench/Compliance", g.compliance, 0, 1e3);
    g.eiInLbfIn2 = s.value(QStringLiteral("Bench/EiUnit")).toString() == QLatin1String("lbf in2");
    return g;
}

void GeometrySettings::save(QSettings& s) const
{
    s.setValue(QStringLiteral("Bench/LengthUnit"), lengthUnit);
    s.setValue(QStringLiteral("Bench/Span"), span);
    s.setValue(QStringLiteral("Bench/Deflection"), deflection);
    s.setValue(QStringLiteral("Bench/Compliance"), compliance);
    s.setValue(QStringLiteral("Bench/EiUnit"), eiInLbfIn2 ? QStringLiteral("lbf in2") : QStringLiteral("N m2"));
}

LengthUnit LengthUnitOf(const GeometrySettings& g)
{
    return g.lengthUnit == QLatin1String("mm") ? LengthUnit::Millimetre : LengthUnit::Inch;
}

BenchGeometry GeometryOf(const GeometrySettings& s, const QString& loadUnit)
{
    BenchGeometry g;
    g.lengthUnit = LengthUnitOf(s);
    g.loadUnit = loadUnit == QLatin1String("kg") ? LoadUnit::Kilogram
               : loadUnit == QLatin1String("N")  ? LoadUnit::Newton
                                                 : LoadUnit::PoundForce;
    g.span = s.span;
    g.deflection = s.deflection;
    g.compliance = s.compliance;
    return g;
}

QString MissingForEi(const GeometrySettings& s, const QString& loadUnit)
{
    QStringList missing;
    if (!(s.span > 0))
        missing << QCoreApplication::translate("Device", "the span");
    if (!(s.deflection > 0))
        missing << QCoreApplication::translate("Device", "the deflection");
    // Without it the loads' unit is unknown and so is every EI.
    if (loadUnit.isEmpty())
        missing << QCoreApplication::translate("Device", "the load unit");
    if (missing.size() > 1)
        return missing.mid(0, missing.size() - 1).join(QStringLiteral(", ")) + QCoreApplication::translate("Device", " and ") + missing.last();
    return missing.join(QString());
}

} // namespace tarvex
