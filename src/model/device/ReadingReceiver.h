#pragma once
// Bytes from the bench in, readings out. The port only delivers bytes; this
// is the one object that keeps what arrived since the last line end, decodes
// it as Windows-1252 and frames it (RxFraming), and it says when a reading is
// complete. It also answers whether there is a reading "Add" may record: one
// that came on an open port lately, from a line that is a reading and nothing
// else, so a stale, garbled or made-up value is never recorded.

#include "device/RxFraming.h"

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
};

// The value of a line from the bench when it is well formed: optional blanks,
// one finite number in the device's own format ("." as the point, optional
// sign and exponent), optional blanks and a unit word of letters.
std::optional<double> ReadingValue(const QString& line);

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
    // How old a reading may be and still count as live.
    void setFreshFor(qint64 ms) { freshMs_ = ms; }

    // The port was opened or closed (by the user, on shut-down, or lost).
    void portOpened();
    void portClosed();

    LiveReading live() const;

public slots:
    // One delivery from the port. Emits reading() for the newest line it
    // completes, when that line is whole; returns what the delivery completed.
    RxFramed receive(const QByteArray& bytes);

signals:
    void reading(const QString& text);

private:
    RxState rx_;
    qint64 dropped_ = 0;
    std::function<qint64()> clock_;
    qint64 freshMs_ = 2000;
    bool open_ = false;
    qint64 lastAt_ = 0;                 // the newest complete line, or the open
    std::optional<double> lastValue_;   // that line's value when it was a reading
    bool lastWasLine_ = false;
};

} // namespace tarvex
