#pragma once
// Whether the load holds steady, and what to record when it does. The bench
// streams readings while the operator moves the shaft; a reading taken while
// the load still settles is a wrong number, so "Add" can wait for a steady
// load, average it, take a zero from it, or record by itself once the load
// has moved and settled again.

#include "settings/CaptureSettings.h"

#include <QString>
#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace tarvex {

// Half-width of the steady band around `mean`.
double SteadyBand(double mean, const CaptureSettings& settings);

struct Averaged {
    double mean = 0;
    double deviation = 0;         // sample standard deviation; 0 for one reading
    int count = 0;
};

// A steady window: its level is the median of its readings, so one corrupted
// line that still reads as a number cannot move it; its noise is the standard
// deviation of the readings about the line fitted through them.
struct Steady {
    double level = 0;
    double noise = 0;
    int count = 0;
    qint64 spanMs = 0;        // how far back the window reached
    double creep = 0;         // the most its fitted line may move over the steady time and pass as flat
};

// The newest readings with the time each arrived: those of the steady
// window and the one before it, and at least those "Add" averages.
class SteadyWindow {
public:
    // Fewer readings than this say nothing about a load being steady.
    static constexpr int kMinSteadyReadings = 3;
    // A noisy load cell needs more readings to tell a settled load from a
    // creeping one; the window stretches up to this many times its length.
    static constexpr int kMaxStretch = 8;

    void setSettings(const CaptureSettings& settings) { settings_ = settings; }
    const CaptureSettings& settings() const { return settings_; }

    void add(qint64 at, double value);
    void clear();
    const std::deque<std::pair<qint64, double>>& readings() const { return readings_; }

    // The load of the last steady window, when it has settled: the window is
    // covered (readings from before it began, at least three in it, no hole
    // of half a window between two), every reading lies within the band
    // around their median, and the line fitted through them moves by less
    // than a quarter of the band over the window (the one through their newer
    // half by less than half of it). A load still creeping towards its value passes the band
    // long before it has settled, so the slope is what keeps it from being
    // recorded early; the newer half catches a window across the bottom of a
    // dip, which fits a flat line.
    //
    // The load cell's noise widens the band to four and a half times it, so
    // a noisy cell still settles, and stretches the window until its slope
    // is known to a twelfth of the band, so noise never passes for a settled
    // load while it still creeps.
    std::optional<Steady> steady(qint64 now) const;
    // The load cell's noise: a standard deviation estimated from the newest
    // readings' second differences, which a steady creep or one corrupted
    // line hardly moves.
    double noise() const;
    // The same judgement on the unstretched window, its slope allowed what
    // the noise leaves unknown: the load has stopped moving for now, though
    // a noisy cell has not yet shown it settled for good.
    std::optional<Steady> paused(qint64 now) const;

    // What "Add" records when averaging: the last `average` readings, when
    // the load is steady and they all lie within the band around their mean.
    std::optional<Averaged> averaged(qint64 now) const;

private:
    std::optional<Steady> judge(qint64 now, bool stretch) const;

    CaptureSettings settings_;
    std::deque<std::pair<qint64, double>> readings_;
    mutable std::vector<double> scratch_;   // the window's values, for the median
    static constexpr int kNoiseReadings = 64;
    static constexpr std::size_t kKeptReadings = 1024;   // beyond the plain window
    std::array<double, kNoiseReadings> bends_ {};   // |second differences|, a ring
    int bendCount_ = 0;
    int bendNext_ = 0;
};

// "Auto": one position, one record. After a record it waits for the shaft to
// move: the readings leave the band around the record (moving or turning
// the shaft disturbs the load) and settle again, or they settle at a level
// further from the record than twice the band or four times the load cell's
// noise, so a noisier cell widens what counts as the same load instead of
// recording it again.
class AutoCapture {
public:
    // Called for each new reading while "Auto" is on: the level to record.
    std::optional<Steady> next(const SteadyWindow& window, qint64 now);
    // About the load of a position the shaft was moved on from before it had
    // settled long enough to record: the row meant for it would take the
    // next position's load. Given once; Auto must stop.
    std::optional<double> takeMissed();
    // "Auto" switched on, or the port opened afresh: the next steady load counts.
    void reset();
    // A record was taken and Auto now waits for the shaft to move.
    bool waiting() const { return last_.has_value() && !moved_; }

private:
    // How far the level may wander about `level` and still be it.
    double sameLoad(const SteadyWindow& window, double level) const;

    std::optional<double> last_;
    bool moved_ = true;
    std::deque<double> recent_; // the newest readings, whose median says where the load is
    std::optional<qint64> judgedAt_;   // when the window was last judged
    std::optional<double> low_;        // since armed: the lowest the load went
    std::optional<double> high_;       // and the highest it rose to after that
    std::optional<Steady> paused_;     // where it paused since, unrecorded
    bool pausedRose_ = false;          // rising to it
    std::optional<double> missed_;
};

} // namespace tarvex
