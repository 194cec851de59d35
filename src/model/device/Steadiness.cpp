#include "device/Steadiness.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cmath>

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
        missing << QStringLiteral("the span");
    if (!(s.deflection > 0))
        missing << QStringLiteral("the deflection");
    // Without it the loads' unit is unknown and so is every EI.
    if (s.unit.isEmpty())
        missing << QStringLiteral("the load unit");
    if (missing.size() > 1)
        return missing.mid(0, missing.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + missing.last();
    return missing.join(QString());
}

double SteadyBand(double mean, const BenchSettings& settings)
{
    return std::max(std::fabs(mean) * settings.bandPercent / 100.0, settings.bandUnits);
}

void SteadyWindow::add(qint64 at, double value)
{
    readings_.emplace_back(at, value);
    while (!readings_.empty() && readings_.front().first < at - kHistoryMs)
        readings_.pop_front();
}

std::optional<double> SteadyWindow::steadyMean(qint64 now) const
{
    const qint64 from = now - settings_.steadyMs;
    if (readings_.empty() || readings_.front().first > from)
        return std::nullopt;
    double sum = 0;
    int n = 0;
    double low = 0, high = 0;
    for (auto it = readings_.rbegin(); it != readings_.rend() && it->first > from; ++it, ++n) {
        low = n == 0 ? it->second : std::min(low, it->second);
        high = n == 0 ? it->second : std::max(high, it->second);
        sum += it->second;
    }
    if (n < 2)
        return std::nullopt;
    const double mean = sum / n;
    const double band = SteadyBand(mean, settings_);
    if (high - mean > band || mean - low > band)
        return std::nullopt;
    return mean;
}

std::optional<Averaged> SteadyWindow::averaged(qint64 now) const
{
    const int n = settings_.average;
    if (!steadyMean(now) || n < 1 || qsizetype(readings_.size()) < n)
        return std::nullopt;
    Averaged a;
    a.count = n;
    for (auto it = readings_.end() - n; it != readings_.end(); ++it)
        a.mean += it->second;
    a.mean /= n;
    const double band = SteadyBand(a.mean, settings_);
    double squares = 0;
    for (auto it = readings_.end() - n; it != readings_.end(); ++it) {
        if (std::fabs(it->second - a.mean) > band)
            return std::nullopt;
        squares += (it->second - a.mean) * (it->second - a.mean);
    }
    a.deviation = n > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
    return a;
}

bool SteadyWindow::settled(qint64 now) const
{
    const std::optional<double> mean = steadyMean(now);
    if (!mean)
        return false;
    const qint64 middle = now - settings_.steadyMs / 2;
    double early = 0, late = 0;
    int earlyCount = 0, lateCount = 0;
    for (auto it = readings_.rbegin(); it != readings_.rend() && it->first > now - settings_.steadyMs; ++it) {
        if (it->first > middle) {
            late += it->second;
            ++lateCount;
        } else {
            early += it->second;
            ++earlyCount;
        }
    }
    if (earlyCount == 0 || lateCount == 0)
        return true;
    return std::fabs(late / lateCount - early / earlyCount) <= SteadyBand(*mean, settings_) / 2;
}

std::optional<Averaged> AutoCapture::next(const SteadyWindow& window, qint64 now)
{
    // Whether the load has moved is judged on the window's mean, not on the
    // reading to be recorded: two single readings of a held shaft differ by
    // their noise, which would record the same load again and again.
    const std::optional<double> mean = window.steadyMean(now);
    if (last_ && !moved_) {
        // A load still creeping after it was recorded drifts on by about the
        // band; only an unsteady window or a drift of twice the band is the
        // shaft moved to its next place.
        if (mean && std::fabs(*mean - *last_) <= 2 * SteadyBand(*last_, window.settings()))
            return std::nullopt;
        moved_ = true;
    }
    if (!mean || !window.settled(now)
        || (last_ && std::fabs(*mean - *last_) <= SteadyBand(*last_, window.settings())))
        return std::nullopt;
    const std::optional<Averaged> a = window.averaged(now);
    if (a) {
        last_ = *mean;
        moved_ = false;
    }
    return a;
}

} // namespace tarvex
