#include "device/Steadiness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>

namespace tarvex {

double SteadyBand(double mean, const CaptureSettings& settings)
{
    return std::max(std::fabs(mean) * settings.bandPercent / 100.0, settings.bandUnits);
}

void SteadyWindow::add(qint64 at, double value)
{
    if (readings_.size() >= 2) {
        const double bend = value - 2 * readings_[readings_.size() - 1].second + readings_[readings_.size() - 2].second;
        bends_[std::size_t(bendNext_)] = std::fabs(bend);
        bendNext_ = (bendNext_ + 1) % kNoiseReadings;
        bendCount_ = std::min(bendCount_ + 1, kNoiseReadings);
    }
    readings_.emplace_back(at, value);
    // Only the steady window, stretched at most, and the readings "Add"
    // averages are looked at. A fast line gives the window so many readings
    // that it hardly stretches; beyond its plain length it keeps a bounded
    // number, so a fast line costs no more memory than a slow one. The
    // newest reading from before the window stays, as it shows the window
    // covered for every later `now`.
    const std::size_t keep = std::size_t(std::max({settings_.average, 2}));
    const qint64 longest = at - kMaxStretch * settings_.steadyMs;
    while (readings_.size() > keep && readings_[1].first <= longest)
        readings_.pop_front();
    while (readings_.size() > std::max(keep, kKeptReadings) && readings_[1].first <= at - settings_.steadyMs)
        readings_.pop_front();
}

void SteadyWindow::clear()
{
    readings_.clear();
    bendCount_ = 0;
    bendNext_ = 0;
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

double SteadyWindow::noise() const
{
    // Too few to say: no allowance for noise yet, as for a quiet cell.
    if (bendCount_ < 8)
        return 0.0;
    std::array<double, kNoiseReadings> b = bends_;
    const auto middle = b.begin() + bendCount_ / 2;
    std::nth_element(b.begin(), middle, b.begin() + bendCount_);
    // A second difference of independent readings has six times their
    // variance; the median of its magnitude is 0.6745 of its deviation.
    return *middle / (0.67449 * std::sqrt(6.0));
}

std::optional<Steady> SteadyWindow::steady(qint64 now) const
{
    return judge(now, true);
}

std::optional<Steady> SteadyWindow::paused(qint64 now) const
{
    return judge(now, false);
}

std::optional<Steady> SteadyWindow::judge(qint64 now, bool stretch) const
{
    const qint64 length = settings_.steadyMs;
    if (readings_.empty() || readings_.front().first > now - length)
        return std::nullopt;
    const double sigma = noise();
    // The window, newest readings first, with the sums its slope's
    // uncertainty needs (times relative to `now`).
    auto first = readings_.end();
    double n = 0, sumT = 0, sumTT = 0;
    const auto take = [&](qint64 from) {
        while (first != readings_.begin() && std::prev(first)->first > from) {
            --first;
            const double t = double(first->first - now);
            n += 1;
            sumT += t;
            sumTT += t * t;
        }
    };
    // How well the window knows its slope, in load units per window length.
    const auto uncertainty = [&] {
        const double stt = n > 1 ? sumTT - sumT * sumT / n : 0.0;
        return stt > 0 ? sigma / std::sqrt(stt) * double(length) : 0.0;
    };
    qint64 from = now - length;
    take(from);
    if (stretch && sigma > 0) {
        const double band = SteadyBand(readings_.back().second, settings_);
        for (int k = 2; k <= kMaxStretch && !(n >= kMinSteadyReadings && uncertainty() <= band / 12); ++k) {
            // A window not yet covered waits, unless memory is what ends it.
            if (readings_.front().first > now - k * length) {
                if (readings_.size() < kKeptReadings)
                    return std::nullopt;
                break;
            }
            from = now - k * length;
            take(from);
        }
    }
    if (n < kMinSteadyReadings)
        return std::nullopt;
    scratch_.clear();
    for (auto it = first; it != readings_.end(); ++it)
        scratch_.push_back(it->second);
    const double level = MedianOf(scratch_);
    const double band = SteadyBand(level, settings_);
    // Noise wider than the band the fitter set would keep a noisy cell from
    // ever settling; four and a half deviations almost never pass by chance.
    const double wide = std::max(band, 4.5 * sigma);
    for (auto it = first; it != readings_.end(); ++it)
        if (std::fabs(it->second - level) > wide)
            return std::nullopt;
    // A load still creeping towards its value passes the band long before
    // it has settled: the slope keeps it from being recorded early. Its
    // allowance is a quarter of the band, or what the noise leaves unknown
    // of it where the window cannot stretch further.
    const Fit whole = FitOf(first, readings_.end(), now);
    const double creep = std::max(band / 4, 3 * uncertainty());
    if (std::fabs(whole.slope) * double(length) >= creep)
        return std::nullopt;
    // A window across the bottom of a dip, falling then rising again, fits a
    // flat line; the newer half of it still rises. Its few readings tell a
    // slope less surely, so it is allowed twice the whole window's. Garbled
    // lines can leave a hole where such a bottom hides, and then nothing is
    // settled; a stretched window, whose older readings lie long past any
    // dip, is let off with holes up to its plain length.
    const qint64 hole = now - from > length ? length : length / 2;
    for (auto it = std::next(first); it != readings_.end(); ++it)
        if (it->first - std::prev(it)->first > hole)
            return std::nullopt;
    const auto half = std::next(first, std::ptrdiff_t(n) / 2);
    const Fit newer = FitOf(half, readings_.end(), now);
    double halfSum = 0, halfSquares = 0, halfN = 0;
    for (auto it = half; it != readings_.end(); ++it, ++halfN) {
        halfSum += double(it->first - now);
        halfSquares += double(it->first - now) * double(it->first - now);
    }
    const double halfStt = halfN > 1 ? halfSquares - halfSum * halfSum / halfN : 0.0;
    const double halfUncertainty = halfStt > 0 ? sigma / std::sqrt(halfStt) * double(length) : 0.0;
    if (std::fabs(newer.slope) * double(length) >= std::max(band / 2, 3 * halfUncertainty))
        return std::nullopt;
    return Steady{level, whole.noise, int(n), now - from, creep};
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
    recent_.clear();
    judgedAt_.reset();
    low_.reset();
    high_.reset();
    paused_.reset();
    missed_.reset();
}

double AutoCapture::sameLoad(const SteadyWindow& window, double level) const
{
    // A noisy window can pass a load still creeping for settled; the rest of
    // the creep stays within about the band, so the same load is anything
    // within twice the band, or four times the noise when that is wider.
    return std::max(2 * SteadyBand(level, window.settings()), 4 * window.noise());
}

std::optional<double> AutoCapture::takeMissed()
{
    return std::exchange(missed_, std::nullopt);
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
    if (recent_.size() == kRecent) {
        std::array<double, kRecent> v {};
        std::copy(recent_.begin(), recent_.end(), v.begin());
        std::nth_element(v.begin(), v.begin() + kRecent / 2, v.end());
        const double where = v[kRecent / 2];
        // A held load wanders within its band; moving the shaft takes the
        // readings well beyond it.
        if (last_ && !moved_ && std::fabs(where - *last_) > sameLoad(window, *last_))
            moved_ = true;
        // Moving the shaft takes load off it for a moment, and the load then
        // rises to the next position's. Once armed, a load that rose clearly
        // and then falls clearly again is the next move: the position it
        // rose to was left before it had settled, and Auto would put the
        // next load in its row. Nothing else falls after a rise: a settling
        // load creeps on the way it came, noise stays within the same load.
        if (!last_ || moved_) {
            const double same = sameLoad(window, where);
            if (!low_ || where < *low_) {
                low_ = where;
                high_.reset();
            } else if (where > *low_ + same && (!high_ || where > *high_)) {
                high_ = where;
            } else if (high_ && where < *high_ - same) {
                missed_ = high_;
                low_ = where;
                high_.reset();
            }
            // A rise to a pause and on up, further than the rest of a creep
            // could carry it: a step up larger than the dip of the move.
            if (paused_ && where < paused_->level - same) {
                paused_.reset();
            } else if (paused_ && pausedRose_ && where > paused_->level + same + 2 * paused_->creep) {
                missed_ = paused_->level;
                paused_.reset();
            }
        }
    }
    // A fast bench sends a thousand readings a second; the window's verdict
    // cannot change much between readings a small part of it apart, and
    // judging it at every one would cost more than everything else.
    const qint64 every = std::max<qint64>(1, window.settings().steadyMs / 64);
    if (judgedAt_ && now - *judgedAt_ < every)
        return std::nullopt;
    judgedAt_ = now;
    const bool armed = !last_ || moved_;
    const std::optional<Steady> s = window.steady(now);
    if (!armed) {
        if (!s || std::fabs(s->level - *last_) <= sameLoad(window, *last_))
            return std::nullopt;
        // Settled somewhere else without a disturbance: the shaft moved.
    }
    if (!s) {
        // The newest pause bounds the rest of the creep most tightly. A
        // creep allowed its slope carries on by at most that slope over a
        // second, the slowest load cell's time constant, twice the window.
        if (armed) {
            if (std::optional<Steady> p = window.paused(now)) {
                pausedRose_ = low_ && *low_ < p->level - sameLoad(window, p->level);
                paused_ = p;
            }
        }
        return std::nullopt;
    }
    last_ = s->level;
    moved_ = false;
    low_.reset();
    high_.reset();
    paused_.reset();
    return s;
}

} // namespace tarvex
