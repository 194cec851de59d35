#pragma once
// Whether the load holds steady, and what to record when it does. The bench
// streams readings while the operator moves the shaft; a reading taken while
// the load still settles is a wrong number, so "Add" can wait for a steady
// load, average it, take a zero from it, or record by itself once the load
// has moved and settled again.

#include "analysis/Stiffness.h"

#include <QString>
#include <deque>
#include <optional>

class QSettings;

namespace tarvex {

// The operator's choices, kept with QSettings between sessions.
struct BenchSettings {
    qint64 freshMs = 2000;        // a reading older than this is not live
    qint64 steadyMs = 500;        // the window that must hold steady
    double bandPercent = 0.2;     // half-width of the steady band, of the mean...
    double bandUnits = 0.02;      // ...or in load units, whichever is larger
    int average = 1;              // "Add" records the mean of this many readings
    QString unit;                 // "kg", "lbf", "N" or empty: what the load cell sends
    // The bench's geometry, for EI: three-point bending is the one set-up.
    // 0 for span or deflection means not set.
    QString lengthUnit = QStringLiteral("in");   // "in" or "mm": span, deflection, positions
    double span = 0.0;
    double deflection = 0.0;
    double compliance = 0.0;      // length units per load unit
    // Where the shaft library is, when not in this computer's own file:
    // postgresql://user@host:port/database for one a shop shares, or a file.
    // TARVEX_LIBRARY, when set, is used instead.
    QString libraryAddress;

    static BenchSettings load(QSettings& settings);
    void save(QSettings& settings) const;
    friend bool operator==(const BenchSettings&, const BenchSettings&) = default;
};

// The settings as the EI routines take them, and what they still lack for
// EI, in words ("the span and the load unit"); empty when nothing.
BenchGeometry GeometryOf(const BenchSettings& settings);
QString MissingForEi(const BenchSettings& settings);

// Half-width of the steady band around `mean`.
double SteadyBand(double mean, const BenchSettings& settings);

struct Averaged {
    double mean = 0;
    double deviation = 0;         // sample standard deviation; 0 for one reading
    int count = 0;
};

// The readings of the last 30 seconds with the time each arrived, enough for
// the steady window, averaging and the strip chart.
class SteadyWindow {
public:
    static constexpr qint64 kHistoryMs = 30000;

    void setSettings(const BenchSettings& settings) { settings_ = settings; }
    const BenchSettings& settings() const { return settings_; }

    void add(qint64 at, double value);
    void clear() { readings_.clear(); }
    const std::deque<std::pair<qint64, double>>& readings() const { return readings_; }

    // The mean of the readings of the last steady window when every one of
    // them lies within the band around it. The window must be covered: at
    // least two readings in it, and readings from before it began.
    std::optional<double> steadyMean(qint64 now) const;
    // What "Add" records: the last `average` readings, when the load is
    // steady and they all lie within the band around their mean.
    std::optional<Averaged> averaged(qint64 now) const;
    // Steady, and the later half of the window no further from the earlier
    // one than half the band: a load still creeping towards its value can
    // pass for steady while a recording of it would be off by the creep.
    bool settled(qint64 now) const;

private:
    BenchSettings settings_;
    std::deque<std::pair<qint64, double>> readings_;
};

// "Auto": records the next steady load that differs from the last one it
// recorded by more than the band, so holding the shaft still records once and
// moving it to the next position records again when the load has settled.
class AutoCapture {
public:
    // Called for each new reading while "Auto" is on.
    std::optional<Averaged> next(const SteadyWindow& window, qint64 now);
    // "Auto" switched on, or the port opened afresh: the next steady load counts.
    void reset()
    {
        last_.reset();
        moved_ = true;
    }

private:
    std::optional<double> last_;
    bool moved_ = true;
};

} // namespace tarvex
