#include "analysis/SpineText.h"

#include <cmath>

namespace tarvex {

namespace {

const QString kDegree = QString(QChar(0x00B0));

QString fixed(double v, int places, const QLocale& locale)
{
    // "-0.0" would read as a direction.
    const double shown = std::fabs(v) < 0.5 * std::pow(10.0, -places) ? 0.0 : v;
    return locale.toString(shown, 'f', places);
}

} // namespace

QStringList SpineFigureLines(const SpineAnalysis& a, const QString& unit, const QLocale& locale)
{
    if (!a.ok())
        return {QStringLiteral("No spine figures: ") + a.refusal};
    const QString load = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    QStringList lines;
    lines << QStringLiteral("Readings: %1").arg(a.readings);
    lines << QStringLiteral("Mean load: %1%2").arg(fixed(a.mean, 2, locale), load);
    if (a.spineSignificant) {
        lines << QStringLiteral("Spine (stiff plane): %1%2 \u00b1 %3%2")
                     .arg(fixed(a.spineAngle, 1, locale), kDegree, fixed(a.spineAngleSd, 1, locale));
        lines << QStringLiteral("NBP (soft plane): %1%2").arg(fixed(a.nbpAngle, 1, locale), kDegree);
    } else {
        lines << QStringLiteral("Spine (stiff plane): none found");
    }
    lines << QStringLiteral("Stiff against soft: %1 % (%2)").arg(fixed(a.spinePercent, 2, locale), GradeName(a.grade));
    // Without a bend its angle is noise.
    const QString at = a.bendAmplitude < 5e-4 ? QString() : QStringLiteral(" at ") + fixed(a.bendAngle, 0, locale) + kDegree;
    lines << QStringLiteral("Bend: %1%2%3 (%4 %)").arg(fixed(a.bendAmplitude, 3, locale), load, at, fixed(a.bendPercent, 2, locale));
    lines << QStringLiteral("Wobble: %1 %").arg(fixed(a.wobblePercent, 2, locale));
    return lines;
}

} // namespace tarvex
