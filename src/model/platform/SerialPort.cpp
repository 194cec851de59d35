#include "platform/SerialPort.h"

#include <QStringList>

namespace tarvex {

std::optional<LineSettings> ParseLineSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;

    LineSettings s;
    bool ok = false;
    const QString baud = parts[0].trimmed();
    s.baudRate = baud.toInt(&ok);
    // toInt takes a sign; a rate is digits only.
    if (!ok || s.baudRate <= 0 || baud.startsWith(QLatin1Char('+')))
        return std::nullopt;

    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("N"))
        s.parity = LineParity::None;
    else if (parity == QLatin1String("E"))
        s.parity = LineParity::Even;
    else if (parity == QLatin1String("O"))
        s.parity = LineParity::Odd;
    else if (parity == QLatin1String("M"))
        s.parity = LineParity::Mark;
    else if (parity == QLatin1String("S"))
        s.parity = LineParity::Space;
    else
        return std::nullopt;

    const QString data = parts[2].trimmed();
    if (data.size() != 1 || data[0] < QLatin1Char('5') || data[0] > QLatin1Char('8'))
        return std::nullopt;
    s.dataBits = data[0].unicode() - '0';

    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = LineStopBits::One;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = LineStopBits::OneAndHalf;
    else if (stop == QLatin1String("2"))
        s.stopBits = LineStopBits::Two;
    else
        return std::nullopt;
    return s;
}

bool SerialPort::setLineSettings(const QString& text)
{
    const std::optional<LineSettings> parsed = ParseLineSettings(text);
    if (!parsed)
        return false;
    settings_ = *parsed;
    return true;
}

} // namespace tarvex
