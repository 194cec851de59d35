#pragma once
// Receive framing: characters from the bench are gathered until a carriage
// return and line feed complete a reading.

#include <QString>
#include <optional>

namespace tarvex {

// Most characters kept while waiting for a line end. A bench on the wrong
// baud rate sends endless noise with no line end; past this bound the oldest
// characters are dropped, so memory stays flat and the next real line end
// still completes a reading. A reading is a dozen characters.
constexpr qsizetype kRxBufferLimit = 1024;

// Appends `chunk` to `buffer`. Once the buffer holds CR LF, returns the text
// before the first CR LF and empties the buffer: whatever followed that line
// end in the buffer is dropped with it, a further complete reading included.
// Otherwise keeps the characters and returns nothing. The returned text, like
// the kept buffer, is at most kRxBufferLimit characters: the newest ones.
// Dropped characters are added to *dropped when it is given.
std::optional<QString> FrameReceived(QString& buffer, const QString& chunk, qint64* dropped = nullptr);

} // namespace tarvex
