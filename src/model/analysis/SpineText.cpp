#include "analysis/SpineText.h"

#include <QCoreApplication>
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
        return {QCoreApplication::translate("Analysis", "No spine figures: ") + a.refusal};
    const QString load = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    // Four short lines: the panel shares its column with the chart's and the
    // reading's controls on a small screen.
    QStringList lines;
    if (a.spineSignificant)
        lines << QCoreApplication::translate("Analysis", "Spine %1%2 ± %3%2, NBP %4%2")
                     .arg(fixed(a.spineAngle, 1, locale), kDegree, fixed(a.spineAngleSd, 1, locale), fixed(a.nbpAngle, 1, locale));
    else
        lines << QCoreApplication::translate("Analysis", "Spine: none found");
    // The grade is kept in English in the library; its word here is the user's.
    const QString grade = QCoreApplication::translate("SpineGrade", GradeName(a.grade).toLatin1().constData());
    lines << QCoreApplication::translate("Analysis", "Stiff against soft %1 % (%2)").arg(fixed(a.spinePercent, 2, locale), grade);
    // Without a bend its angle is noise.
    if (a.bendAmplitude < 5e-4)
        lines << QCoreApplication::translate("Analysis", "Bend %1%2 (%3 %)").arg(fixed(a.bendAmplitude, 3, locale), load, fixed(a.bendPercent, 2, locale));
    else
        lines << QCoreApplication::translate("Analysis", "Bend %1%2 at %3%4 (%5 %)")
                     .arg(fixed(a.bendAmplitude, 3, locale), load, fixed(a.bendAngle, 0, locale), kDegree, fixed(a.bendPercent, 2, locale));
    lines << QCoreApplication::translate("Analysis", "Wobble %1 %, mean %2%3, %4 readings")
                 .arg(fixed(a.wobblePercent, 2, locale), fixed(a.mean, 2, locale), load).arg(a.readings);
    return lines;
}

} // namespace tarvex
