#include "device/Steadiness.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

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
    // Only the steady window and the readings "Add" averages are looked at,
    // so a fast line costs no more memory than a slow one beyond those: the
    // newest reading from before the window stays, as it shows the window
    // covered for every later `now`.
    const std::size_t keep = std::size_t(std::max(settings_.average, 1));
    while (readings_.size() > keep && readings_[1].first <= at - settings_.steadyMs)
        readings_.pop_front();
}

namespace {

// The median of `values`, which it reorders.
double MedianOf(std::vector<double>& values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

// The line fitted through the readings [from, to): its slope in load units
// per ms and the slope's standard error. Times are taken relative to `now`
// so the sums stay small.
struct Fit {
    double slope = 0;
    double uncertainty = 0;
    double noise = 0;         // standard deviation of the readings about the line
};

template <typename It>
Fit FitOf(It from, It to, qint64 now)
{
    double n = 0, sumT = 0, sumV = 0;
    for (It it = from; it != to; ++it, ++n) {
        sumT += double(it->first - now);
        sumV += it->second;
    }
    if (n < 2)
        return {};
    double stt = 0, stv = 0;
    for (It it = from; it != to; ++it) {
        const double dt = double(it->first - now) - sumT / n;
        stt += dt * dt;
        stv += dt * (it->second - sumV / n);
    }
    if (!(stt > 0))
        return {};
    const double slope = stv / stt;
    double squares = 0;
    for (It it = from; it != to; ++it) {
        const double r = it->second - sumV / n - slope * (double(it->first - now) - sumT / n);
        squares += r * r;
    }
    const double noise = n > 2 ? std::sqrt(squares / (n - 2)) : 0.0;
    return {slope, noise / std::sqrt(stt), noise};
}

} // namespace

std::optional<Steady> SteadyWindow::steady(qint64 now) const
{
    const qint64 from = now - settings_.steadyMs;
    if (readings_.empty() || readings_.front().first > from)
        return std::nullopt;
    auto first = readings_.end();
    while (first != readings_.begin() && std::prev(first)->first > from)
        --first;
    const auto n = std::distance(first, readings_.end());
    if (n < kMinSteadyReadings)
        return std::nullopt;
    scratch_.clear();
    for (auto it = first; it != readings_.end(); ++it)
        scratch_.push_back(it->second);
    const double level = MedianOf(scratch_);
    const double band = SteadyBand(level, settings_);
    for (auto it = first; it != readings_.end(); ++it)
        if (std::fabs(it->second - level) > band)
            return std::nullopt;
    const Fit whole = FitOf(first, readings_.end(), now);
    if (std::fabs(whole.slope) * double(settings_.steadyMs) >= band / 4)
        return std::nullopt;
    // A window across the bottom of a dip, falling then rising again, fits a
    // flat line; the newer half of it still rises. Its few readings tell a
    // slope less surely, so it is allowed twice the whole window's. Garbled
    // lines can leave a hole where such a bottom hides, and then nothing is
    // settled.
    for (auto it = std::next(first); it != readings_.end(); ++it)
        if (it->first - std::prev(it)->first > settings_.steadyMs / 2)
            return std::nullopt;
    if (std::fabs(FitOf(std::next(first, n / 2), readings_.end(), now).slope) * double(settings_.steadyMs) >= band / 2)
        return std::nullopt;
    return Steady{level, whole.noise, int(n)};
}

std::optional<Averaged> SteadyWindow::averaged(qint64 now) const
{
    const int n = settings_.average;
    if (!steady(now) || n < 1 || qsizetype(readings_.size()) < n)
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

void AutoCapture::reset()
{
    last_.reset();
    moved_ = true;
    noiseSquares_ = 0;
    noiseWindows_ = 0;
    recent_.clear();
    judgedAt_.reset();
}

// One window's few readings can make a noisy cell look quiet; the noise is a
// property of the cell, not of a position, so it is pooled over the steady
// windows since "Auto" started, the older ones fading out.
void AutoCapture::poolNoise(const Steady& s)
{
    constexpr int kPooled = 200;
    noiseWindows_ = std::min(noiseWindows_ + 1, kPooled);
    noiseSquares_ += (s.noise * s.noise - noiseSquares_) / noiseWindows_;
}

double AutoCapture::sameLoad(const SteadyWindow& window) const
{
    // A noisy window can pass a load still creeping for settled; the rest of
    // the creep stays within about the band, so the same load is anything
    // within twice the band, or four times the noise when that is wider.
    const double noise = std::sqrt(noiseSquares_);
    return std::max(2 * SteadyBand(*last_, window.settings()), 4 * noise);
}

std::optional<Steady> AutoCapture::next(const SteadyWindow& window, qint64 now)
{
    // Where the load is, judged on the median of the newest few readings: a
    // single corrupted line must not pass for the shaft being moved, while
    // the dip of a move lasts several readings.
    constexpr std::size_t kRecent = 5;
    if (!window.readings().empty()) {
        recent_.push_back(window.readings().back().second);
        if (recent_.size() > kRecent)
            recent_.pop_front();
    }
    if (last_ && !moved_ && recent_.size() == kRecent) {
        std::array<double, kRecent> v {};
        std::copy(recent_.begin(), recent_.end(), v.begin());
        std::nth_element(v.begin(), v.begin() + kRecent / 2, v.end());
        // A held load wanders within its band; moving the shaft takes the
        // readings well beyond it.
        if (std::fabs(v[kRecent / 2] - *last_) > sameLoad(window))
            moved_ = true;
    }
    // A fast bench sends a thousand readings a second; the window's verdict
    // cannot change much between readings a small part of it apart, and
    // judging it at every one would cost more than everything else.
    const qint64 every = std::max<qint64>(1, window.settings().steadyMs / 64);
    if (judgedAt_ && now - *judgedAt_ < every)
        return std::nullopt;
    judgedAt_ = now;
    const std::optional<Steady> s = window.steady(now);
    if (last_ && !moved_) {
        if (!s)
            return std::nullopt;
        if (std::fabs(s->level - *last_) <= sameLoad(window)) {
            poolNoise(*s);
            return std::nullopt;
        }
        // Settled somewhere else without a disturbance: the shaft moved.
    }
    if (!s)
        return std::nullopt;
    last_ = s->level;
    moved_ = false;
    poolNoise(*s);
    return s;
}

} // namespace tarvex
