#include "device/ReadingReceiver.h"

#include "files/Cp1252.h"
#include "numbers/Numbers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace tarvex {

std::optional<double> ReadingValue(const QString& line, int* decimals)
{
    static const QRegularExpression form(QStringLiteral(
        "^[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*(?:[A-Za-z]+[ \\t]*)?$"));
    const QRegularExpressionMatch m = form.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = LeadingNumber(m.captured(1));
    if (!std::isfinite(value))
        return std::nullopt;
    if (decimals) {
        const QString number = m.captured(1);
        qsizetype e = number.indexOf(QLatin1Char('e'));
        if (e < 0)
            e = number.indexOf(QLatin1Char('E'));
        const QString mantissa = e < 0 ? number : number.left(e);
        const qsizetype point = mantissa.indexOf(QLatin1Char('.'));
        const int places = point < 0 ? 0 : int(mantissa.size() - point - 1);
        const int exponent = e < 0 ? 0 : number.mid(e + 1).toInt();
        *decimals = std::clamp(places - exponent, 0, 15);
    }
    return value;
}

ReadingReceiver::ReadingReceiver(QObject* parent)
    : QObject(parent)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    clock_ = [timer] { return timer->elapsed(); };
}

void ReadingReceiver::setSettings(const CaptureSettings& settings)
{
    window_.setSettings(settings);
}

void ReadingReceiver::portOpened()
{
    open_ = true;
    window_.clear();
    strip_.clear();
    auto_.reset();
    lastAt_ = clock_();
    lastValue_.reset();
    lastWasLine_ = false;
    decimals_ = 0;
}

void ReadingReceiver::portClosed()
{
    open_ = false;
    lastValue_.reset();
    zero_.reset();
    // Half a line from before the close must not begin the first one after it.
    rx_ = RxState{};
}

double ReadingReceiver::resolved(double v, bool mean) const
{
    return RoundHalfEven(v, std::min(decimals_ + (mean ? 1 : 0), 15));
}

LiveReading ReadingReceiver::live() const
{
    if (!open_)
        return {std::nullopt, QCoreApplication::translate("Device", "No reading: the port is closed")};
    if (!lastWasLine_)
        return {std::nullopt, QCoreApplication::translate("Device", "No reading yet: nothing has come from the bench")};
    const qint64 now = clock_();
    const qint64 age = now - lastAt_;
    if (age > window_.settings().freshMs)
        return {std::nullopt, QCoreApplication::translate("Device", "No new reading for %1 s").arg(age / 1000)};
    const double zero = zero_.value_or(0.0);
    if (window_.settings().average > 1) {
        if (!lastValue_)
            return {std::nullopt, QCoreApplication::translate("Device", "Last line was not a reading")};
        const std::optional<Averaged> a = window_.averaged(now);
        if (!a)
            return {std::nullopt, QCoreApplication::translate("Device", "Not steady: the load is still moving")};
        return {resolved(a->mean - zero, true), QString(), a->count, a->deviation};
    }
    // A garbled last line does not matter while the window is steady: the
    // median stands for the load whatever one line said.
    if (const std::optional<Steady> s = window_.steady(now))
        return {resolved(s->level - zero, s->count % 2 == 0), QString(), s->count, s->noise};
    if (!lastValue_)
        return {std::nullopt, QCoreApplication::translate("Device", "Last line was not a reading")};
    LiveReading settling{lastValue_, QString()};
    settling.settling = true;
    return settling;
}

bool ReadingReceiver::isSteady() const
{
    return open_ && window_.steady(clock_()).has_value();
}

Result<> ReadingReceiver::takeZero()
{
    const std::optional<Steady> s = open_ ? window_.steady(clock_()) : std::nullopt;
    if (!s)
        return Failure(QCoreApplication::translate("Device", "Not steady: a zero needs a steady load"));
    zero_ = resolved(s->level, s->count % 2 == 0);
    return {};
}

// Windows-1252 has one character per byte, so a delivery decodes on its own
// whatever the port cut it at.
RxFramed ReadingReceiver::receive(const QByteArray& bytes)
{
    const RxFramed framed = FrameReceived(rx_, FromCp1252(bytes), &dropped_);
    if (!framed.complete())
        return framed;
    const qint64 now = clock_();
    lastAt_ = now;
    lastWasLine_ = true;
    int decimals = 0;
    const std::optional<double> raw = framed.reading ? ReadingValue(*framed.reading, &decimals) : std::nullopt;
    lastValue_.reset();
    if (raw) {
        // A bench that drops trailing zeros ("10" after "10.01") still
        // measures to its finest places.
        decimals_ = std::max(decimals_, decimals);
        window_.add(now, *raw);
        strip_.add(now, *raw);
        // A reading less the zero is shown and recorded at its own places.
        lastValue_ = zero_ ? RoundHalfEven(*raw - *zero_, decimals) : *raw;
    }
    // A line given up at the bound is not shown: what it lost could have
    // been the sign or the decimal point.
    if (framed.reading)
        emit reading(zero_ && lastValue_ ? QString::number(*lastValue_ == 0 ? 0.0 : *lastValue_, 'f', decimals) + QStringLiteral(" (zeroed)")
                                         : *framed.reading);
    if (raw) {
        if (const std::optional<Steady> s = auto_.next(window_, now))
            emit settled(resolved(s->level - zero_.value_or(0.0), s->count % 2 == 0));
        if (const std::optional<double> level = auto_.takeMissed())
            emit missed(resolved(*level - zero_.value_or(0.0), false));
    }
    return framed;
}

} // namespace tarvex
