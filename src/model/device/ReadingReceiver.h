#pragma once
// Bytes from the bench in, readings out. The port only delivers bytes; this
// is the one object that keeps what arrived since the last line end, decodes
// it as Windows-1252 and frames it (RxFraming), and it says when a reading is
// complete. It also answers whether there is a reading "Add" may record: one
// that came on an open port lately, from a line that is a reading and nothing
// else, so a stale, garbled or made-up value is never recorded.

#include "device/RxFraming.h"
#include "device/Steadiness.h"
#include "device/StripChart.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QObject>
#include <functional>
#include <optional>

namespace tarvex {

// What "Add" may record now: the value, or why there is none, in words for
// the live box and the status bar.
struct LiveReading {
    std::optional<double> value;
    QString why;
    int count = 1;            // readings averaged into the value
    double deviation = 0;     // their standard deviation
    bool settling = false;    // the load was not steady: the newest reading
};

// The value of a line from the bench when it is well formed: optional blanks,
// one finite number in the device's own format ("." as the point, optional
// sign and exponent), optional blanks and a unit word of letters. When
// `decimals` is given it receives the places the number was written with.
std::optional<double> ReadingValue(const QString& line, int* decimals = nullptr);

class ReadingReceiver : public QObject {
    Q_OBJECT
public:
    explicit ReadingReceiver(QObject* parent = nullptr);

    // What arrived after the last line end, waiting for the next one.
    const QString& pending() const { return rx_.text; }
    // Characters of lines given up at the bound so far.
    qint64 dropped() const { return dropped_; }

    // Milliseconds on a steady clock; tests set their own.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }
    // The shell hands the same settings to whoever else needs them: nothing
    // asks the receiver.
    void setSettings(const CaptureSettings& settings);

    // The port was opened or closed (by the user, on shut-down, or lost).
    void portOpened();
    void portClosed();

    // What "Add" records now: the median of the steady window when the load
    // is steady, else the newest reading, marked as taken while settling.
    LiveReading live() const;
    // Whether the load holds steady now.
    bool isSteady() const;
    // "Auto" has recorded this position and waits for the shaft to move.
    bool autoWaiting() const { return auto_.waiting(); }
    qint64 now() const { return clock_(); }
    // The steady window, and the last 30 s for the strip chart.
    const SteadyWindow& window() const { return window_; }
    const StripHistory& history() const { return strip_; }

    // "Zero": the steady load now becomes the offset taken off every reading
    // shown and recorded, until zeroed again or the port closes. A failure
    // says why when there is no steady load to take. What is shown and recorded less
    // the zero keeps the places the readings came with, so a difference is
    // never written with the binary noise of the subtraction.
    Result<> takeZero();
    std::optional<double> zero() const { return zero_; }
    // "Auto" switched on: the next steady load is recorded even if it is the
    // one recorded last.
    void restartAuto() { auto_.reset(); }

public slots:
    // One delivery from the port. Emits reading() for the newest line it
    // completes, when that line is whole; returns what the delivery completed.
    RxFramed receive(const QByteArray& bytes);

signals:
    // The newest complete line, as the live box shows it.
    void reading(const QString& text);
    // The load has moved and settled: what "Auto" records.
    void settled(double value);
    // The load paused at `value` and the shaft was moved on before it had
    // settled: "Auto" must stop, or the next load would fill its row.
    void missed(double value);

private:
    // `v` at the readings' own places, one more for a value that is the mean
    // of readings.
    double resolved(double v, bool mean) const;

    RxState rx_;
    qint64 dropped_ = 0;
    std::function<qint64()> clock_;
    SteadyWindow window_;
    StripHistory strip_;
    AutoCapture auto_;
    std::optional<double> zero_;
    bool open_ = false;
    qint64 lastAt_ = 0;                 // the newest complete line, or the open
    std::optional<double> lastValue_;   // that line's value, less the zero, when it was a reading
    bool lastWasLine_ = false;
    int decimals_ = 0;                  // most places a reading came with since the open
};

} // namespace tarvex
