#pragma once
// A scripted serial port: the test sets the ports the system "has", what an
// open fails with, feeds received text in chunks and can make the open port
// vanish.

#include "platform/SerialPort.h"

#include <QStringList>

namespace tarvex {

class FakeSerialPort : public SerialPort {
    Q_OBJECT
public:
    // ---- script -------------------------------------------------------------
    QStringList ports;            // what portCount()/portName() report
    QString openError;            // non-empty: open() fails with this text

    // Queues text as received (as the bench's Windows-1252 bytes) and raises
    // the receive event.
    void feed(const QString& chunk);
    // The open port goes away: it is closed and failed() is raised.
    void disappear(const QString& description);

    // ---- SerialPort ---------------------------------------------------------
    int portCount() override;
    QString portName(int index) const override;
    bool open(const QString& name, QString* error) override;
    bool isOpen() const override { return open_; }
    void close() override;
    QByteArray readAll() override;

private:
    bool open_ = false;
    QByteArray pending_;
    QStringList listed_;
};

} // namespace tarvex
