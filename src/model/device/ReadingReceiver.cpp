#include "device/ReadingReceiver.h"

#include "files/Cp1252.h"

namespace tarvex {

// Windows-1252 has one character per byte, so a delivery decodes on its own
// whatever the port cut it at.
RxFramed ReadingReceiver::receive(const QByteArray& bytes)
{
    const RxFramed framed = FrameReceived(rx_, FromCp1252(bytes), &dropped_);
    // A line given up at the bound is not shown: what it lost could have
    // been the sign or the decimal point.
    if (framed.reading)
        emit reading(*framed.reading);
    return framed;
}

} // namespace tarvex
