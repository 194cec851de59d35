// Receive framing against a model without the bound: the input is cut into
// chunks (each byte below 8 ends a chunk), and after every chunk the shown
// reading and the kept characters must be the newest characters of the
// model's.
#include "device/RxFraming.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString buffer;
    QString model;
    qint64 dropped = 0;
    QString chunk;
    auto deliver = [&] {
        const std::optional<QString> shown = FrameReceived(buffer, chunk, &dropped);
        model += chunk;
        const qsizetype end = model.indexOf(QLatin1String("\r\n"));
        if (end >= 0) {
            // The newest characters of the model's reading: all of them when
            // it is short, else at least the bound less one (a CR kept at the
            // end of the bounded buffer counted towards it).
            const QString expected = model.left(end);
            if (!shown || !expected.endsWith(*shown) || shown->size() > kRxBufferLimit
                || shown->size() < std::min(expected.size(), kRxBufferLimit - 1))
                std::abort();
            model.clear();
        } else if (shown) {
            std::abort();
        }
        if (buffer != model.right(kRxBufferLimit) || buffer.size() > kRxBufferLimit || dropped < 0)
            std::abort();
        chunk.clear();
    };
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < 8) {
            // Long chunks without reading megabytes of input.
            if (data[i] == 7)
                chunk += QString(kRxBufferLimit / 2, QLatin1Char('~'));
            deliver();
        } else {
            chunk += QChar(data[i]);
        }
    }
    deliver();
    return 0;
}
