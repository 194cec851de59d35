#include "device/RxFraming.h"

namespace tarvex {

RxFramed FrameReceived(RxState& rx, const QString& chunk, qint64* dropped)
{
    RxFramed out;
    rx.text += chunk;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = rx.text.indexOf(QLatin1String("\r\n"), start);
        if (end < 0)
            break;
        const qsizetype length = end - start;
        if (rx.overflowed || length > kRxBufferLimit) {
            out = RxFramed{std::nullopt, true};
            if (dropped && !rx.overflowed)
                *dropped += length;
        } else {
            out = RxFramed{rx.text.mid(start, length), false};
        }
        rx.overflowed = false;
        start = end + 2;
    }
    rx.text.remove(0, start);

    // A CR at the end may be the first half of a line end whose LF is still
    // on the wire: it is kept even when the line is given up.
    const bool carriageReturn = rx.text.endsWith(QLatin1Char('\r'));
    const qsizetype pending = rx.text.size() - (carriageReturn ? 1 : 0);
    if (pending > kRxBufferLimit) {
        if (dropped)
            *dropped += pending;
        rx.text = carriageReturn ? QStringLiteral("\r") : QString();
        rx.overflowed = true;
    } else if (rx.overflowed && pending > 0) {
        if (dropped)
            *dropped += pending;
        rx.text = carriageReturn ? QStringLiteral("\r") : QString();
    }
    return out;
}

} // namespace tarvex
