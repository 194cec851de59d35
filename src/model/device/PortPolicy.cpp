#include "device/PortPolicy.h"

#include <QCoreApplication>

namespace tarvex {

std::optional<QString> FatalPortError(PortError error, const QString& systemText)
{
    switch (error) {
    // A vanished device (an unplugged adapter): the system says what happened.
    case PortError::Resource:
        return systemText;
    // A read error is how an ended line (a hung-up pseudo-terminal) shows: the
    // read returns nothing and the system's text is a stale one. Left open, the
    // port would keep reporting it.
    case PortError::Read:
        return QCoreApplication::translate("Device", "The device hung up.");
    // Errors of opening are answered by the open itself, nothing is ever
    // written to the bench, and none of the others means the bench is gone.
    case PortError::None:
    case PortError::DeviceNotFound:
    case PortError::Permission:
    case PortError::Open:
    case PortError::Write:
    case PortError::UnsupportedOperation:
    case PortError::Unknown:
    case PortError::Timeout:
    case PortError::NotOpen:
        break;
    }
    return std::nullopt;
}

} // namespace tarvex
