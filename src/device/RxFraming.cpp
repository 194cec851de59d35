#include "device/RxFraming.h"

namespace tarvex {

namespace {

// Keeps the newest kRxBufferLimit characters of `text`.
void bound(QString& text, qint64* dropped)
{
    const qsizetype excess = text.size() - kRxBufferLimit;
    if (excess <= 0)
        return;
    text.remove(0, excess);
    if (dropped)
        *dropped += excess;
}

} // namespace

std::optional<QString> FrameReceived(QString& buffer, const QString& chunk, qint64* dropped)
{
    buffer += chunk;
    const qsizetype end = buffer.indexOf(QLatin1String("\r\n"));
    if (end < 0) {
        bound(buffer, dropped);
        return std::nullopt;
    }
    QString text = buffer.left(end);
    buffer.clear();
    bound(text, dropped);
    return text;
}

} // namespace tarvex
