#include "device/ReadingReceiver.h"

#include "files/Cp1252.h"
#include "numbers/Numbers.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <cmath>

namespace tarvex {

std::optional<double> ReadingValue(const QString& line)
{
    static const QRegularExpression form(QStringLiteral(
        "^[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*(?:[A-Za-z]+[ \\t]*)?$"));
    const QRegularExpressionMatch m = form.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = LeadingNumber(m.captured(1));
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

ReadingReceiver::ReadingReceiver(QObject* parent)
    : QObject(parent)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    clock_ = [timer] { return timer->elapsed(); };
}

void ReadingReceiver::setSettings(const BenchSettings& settings)
{
    window_.setSettings(settings);
}

void ReadingReceiver::portOpened()
{
    open_ = true;
    window_.clear();
    auto_.reset();
    lastAt_ = clock_();
    lastValue_.reset();
    lastWasLine_ = false;
}

void ReadingReceiver::portClosed()
{
    open_ = false;
    lastValue_.reset();
    zero_.reset();
    // Half a line from before the close must not begin the first one after it.
    rx_ = RxState{};
}

LiveReading ReadingReceiver::live() const
{
    if (!open_)
        return {std::nullopt, QStringLiteral("No reading: the port is closed")};
    if (!lastWasLine_)
        return {std::nullopt, QStringLiteral("No reading yet: nothing has come from the bench")};
    const qint64 age = clock_() - lastAt_;
    if (age > window_.settings().freshMs)
        return {std::nullopt, QStringLiteral("No new reading for %1 s").arg(age / 1000)};
    if (!lastValue_)
        return {std::nullopt, QStringLiteral("Last line was not a reading")};
    if (window_.settings().average <= 1)
        return {lastValue_, QString()};
    const std::optional<Averaged> a = window_.averaged(clock_());
    if (!a)
        return {std::nullopt, QStringLiteral("Not steady: the load is still moving")};
    return {a->mean - zero_.value_or(0.0), QString(), a->count, a->deviation};
}

bool ReadingReceiver::isSteady() const
{
    return open_ && window_.steadyMean(clock_()).has_value();
}

QString ReadingReceiver::takeZero()
{
    const std::optional<double> mean = open_ ? window_.steadyMean(clock_()) : std::nullopt;
    if (!mean)
        return QStringLiteral("Not steady: a zero needs a steady load");
    zero_ = mean;
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
    const std::optional<double> raw = framed.reading ? ReadingValue(*framed.reading) : std::nullopt;
    lastValue_.reset();
    if (raw) {
        window_.add(now, *raw);
        lastValue_ = *raw - zero_.value_or(0.0);
    }
    // A line given up at the bound is not shown: what it lost could have
    // been the sign or the decimal point.
    if (framed.reading)
        emit reading(zero_ && lastValue_ ? NumberText(*lastValue_) + QStringLiteral(" (zeroed)") : *framed.reading);
    if (raw) {
        if (const std::optional<Averaged> a = auto_.next(window_, now))
            emit settled(a->mean - zero_.value_or(0.0));
    }
    return framed;
}

} // namespace tarvex
