#include "fakes/FakeSerialPort.h"

#include "files/Cp1252.h"

#include <utility>

namespace tarvex {

void FakeSerialPort::feed(const QString& chunk)
{
    pending_ += ToCp1252(chunk);
    emit received();
}

void FakeSerialPort::disappear(const QString& description)
{
    open_ = false;
    emit failed(description);
}

int FakeSerialPort::portCount()
{
    listed_ = ports;
    return static_cast<int>(listed_.size());
}

QString FakeSerialPort::portName(int index) const
{
    return index >= 0 && index < listed_.size() ? listed_[index] : QString();
}

bool FakeSerialPort::open(const QString&, QString* error)
{
    if (!openError.isEmpty()) {
        if (error)
            *error = openError;
        return false;
    }
    open_ = true;
    return true;
}

void FakeSerialPort::close()
{
    open_ = false;
}

QByteArray FakeSerialPort::readAll()
{
    return std::exchange(pending_, QByteArray());
}

} // namespace tarvex
