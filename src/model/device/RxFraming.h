#pragma once
// Receive framing: characters from the bench are gathered until a carriage
// return and line feed complete a reading.

#include <QString>
#include <optional>

namespace tarvex {

// Most characters one reading may hold. A bench on the wrong baud rate sends
// endless noise with no line end; past this bound the line is given up, so
// memory stays flat, and the next complete line is a reading again. A reading
// is a dozen characters.
constexpr qsizetype kRxBufferLimit = 1024;

// What arrived since the last complete line, and whether that line has
// already gone past the bound.
struct RxState {
    QString text;
    bool overflowed = false;
};

// The newest complete line of a chunk: either a reading to show, or a line
// that went past the bound. A line that lost characters is never shown, since
// "-0.0…05" cut to "0…05" would record a different number.
struct RxFramed {
    std::optional<QString> reading;
    bool damaged = false;
    bool complete() const { return reading.has_value() || damaged; }
};

// Appends `chunk` and takes every complete line out of `rx`; what follows the
// last line end stays as the start of the next reading, so a pause that
// delivers "12.50" CR LF "12" and then ".50" CR LF gives 12.50 twice. When a
// chunk completes several lines the newest counts. Characters of a line given
// up are added to *dropped when it is given.
RxFramed FrameReceived(RxState& rx, const QString& chunk, qint64* dropped = nullptr);

} // namespace tarvex
