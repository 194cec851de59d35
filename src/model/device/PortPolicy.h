#pragma once
// Which errors of an open serial port end the link. The driver reports every
// error it sees; only the ones that mean the bench is gone close the port and
// tell the user, the rest pass silently.

#include <QString>
#include <optional>

namespace tarvex {

// The errors a serial port driver reports, in the order (and with the values)
// of Qt's serial port, so the Qt driver hands its own over unchanged.
enum class PortError {
    None,
    DeviceNotFound,
    Permission,
    Open,
    Write,
    Read,
    Resource,
    UnsupportedOperation,
    Unknown,
    Timeout,
    NotOpen,
};

// The description to close the port with, or nothing when the error is to be
// ignored. `systemText` is the driver's own text for the error.
std::optional<QString> FatalPortError(PortError error, const QString& systemText);

} // namespace tarvex
