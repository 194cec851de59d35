#pragma once
// The serial link to the bench. The program only listens: it lists the ports,
// opens one, and is told when characters arrive or when the port goes away.
// Everything is delivered on the user-interface thread.

#include "platform/Result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tarvex {

enum class LineParity { None, Even, Odd, Mark, Space };
enum class LineStopBits { One, OneAndHalf, Two };

struct LineSettings {
    int baudRate = 9600;
    LineParity parity = LineParity::None;
    int dataBits = 8;
    LineStopBits stopBits = LineStopBits::One;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// "9600,N,8,1": baud rate, parity letter (N, E, O, M, S), data bits (5 to 8)
// and stop bits (1, 1.5, 2), separated by commas; blanks around the parts and
// lower-case letters are accepted. Anything else is not a setting.
std::optional<LineSettings> ParseLineSettings(const QString& text);

class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Takes a fresh look at the ports the system offers, in the system's order,
    // and returns how many there are. portName() indexes that look.
    virtual int portCount() = 0;
    // A name that open() accepts; empty outside 0 .. portCount() - 1.
    virtual QString portName(int index) const = 0;
    // The first look at the ports, begun without holding up the caller:
    // portsListed() follows once portCount() can answer without waiting, and
    // that one portCount() answers with this look. A port that looks quickly
    // says so at once.
    virtual void listPortsAhead() { emit portsListed(); }

    // Applies to every port opened afterwards. A text that is not a setting is
    // refused (false) and the previous settings stay.
    bool setLineSettings(const QString& text);
    LineSettings lineSettings() const { return settings_; }

    // A byte of configuration the program hands over at start-up and the port
    // keeps; it does not change how characters are read.
    void setByteSetting(quint8 value) { byteSetting_ = value; }
    quint8 byteSetting() const { return byteSetting_; }

    // Opens the named port with the current line settings; a failure's words
    // are the system's description of it.
    virtual Result<> open(const QString& name) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Every byte received since the last call; empty when there is nothing
    // or the read fails. What the bytes mean is the ReadingReceiver's business.
    virtual QByteArray readAll() = 0;

signals:
    // Bytes have arrived; readAll() fetches them.
    void received();
    // The open port stopped working (unplugged, hung up). The port is already
    // closed when this is emitted, and it is emitted once per failure.
    void failed(const QString& description);
    // The look that listPortsAhead() began is ready.
    void portsListed();

private:
    LineSettings settings_;
    quint8 byteSetting_ = 0;
};

} // namespace tarvex
