#pragma once
// Bytes from the bench in, readings out. The port only delivers bytes; this
// is the one object that keeps what arrived since the last line end, decodes
// it as Windows-1252 and frames it (RxFraming), and it says when a reading is
// complete. Whatever the window comes to need about the stream of readings
// (when the last one came, whether they hold steady) is kept here as well, so
// it sees every delivery and the port's open and close in one place.

#include "device/RxFraming.h"

#include <QByteArray>
#include <QObject>

namespace tarvex {

class ReadingReceiver : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // What arrived after the last line end, waiting for the next one.
    const QString& pending() const { return rx_.text; }
    // Characters of lines given up at the bound so far.
    qint64 dropped() const { return dropped_; }

public slots:
    // One delivery from the port. Emits reading() for the newest line it
    // completes, when that line is whole; returns what the delivery completed.
    RxFramed receive(const QByteArray& bytes);

signals:
    void reading(const QString& text);

private:
    RxState rx_;
    qint64 dropped_ = 0;
};

} // namespace tarvex
