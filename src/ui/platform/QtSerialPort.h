#pragma once
// The serial link on QSerialPort. Ports are the system's serial ports, in the
// order the system reports them, followed by the links that bench simulators
// and similar tools leave in a per-user folder (see DefaultPortLinkFolder), so
// a simulated bench is opened exactly like a real one.

#include "platform/SerialPort.h"

#include <QSerialPort>
#include <QStringList>

#include <optional>
#include <thread>

namespace tarvex {

// "/tmp/tarvex-ports-<uid>": a tool that plays the bench on a pseudo-terminal
// puts a link to it here. The folder is trusted only when it is a real
// folder of the current user that nobody else may write into.
QString DefaultPortLinkFolder();

// Full paths of the entries of `folder` that lead to a character device,
// sorted by name; dangling links (a simulator that was killed) are skipped.
// Empty when the folder is missing or not trusted (see above).
QStringList ListPortLinks(const QString& folder);

class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QString linkFolder = DefaultPortLinkFolder(), QObject* parent = nullptr);
    ~QtSerialPort() override;

    int portCount() override;
    QString portName(int index) const override;
    // The system's list takes its time (it asks udev and looks at every tty
    // in sysfs): it is taken on a thread of its own.
    void listPortsAhead() override;
    Result<> open(const QString& name) override;
    bool isOpen() const override;
    void close() override;
    QByteArray readAll() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort* port_;
    QString linkFolder_;
    QStringList names_;
    std::thread lister_;
    std::optional<QStringList> listedAhead_;   // written by lister_, read after it is joined
    // Bumped by every open and close, so that a failure noticed before the
    // user closed or reopened the port is not reported against the new state.
    quint64 generation_ = 0;
    bool failing_ = false;
};

} // namespace tarvex
