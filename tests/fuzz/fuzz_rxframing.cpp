// Receive framing against a model without the bound: the input is cut into
// chunks (each byte below 8 ends a chunk). After every chunk the newest line
// the model completed must be shown exactly when it fits the bound, and
// reported damaged when it does not; what is kept must be the model's
// unfinished line while that fits.
#include "device/RxFraming.h"

#include <cstdint>
#include <cstdlib>

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RxState rx;
    QString model;
    qint64 dropped = 0;
    QString chunk;
    auto deliver = [&] {
        const RxFramed framed = FrameReceived(rx, chunk, &dropped);
        model += chunk;
        qsizetype start = 0, end, last = -1, lastEnd = -1;
        while ((end = model.indexOf(QLatin1String("\r\n"), start)) >= 0) {
            last = start;
            lastEnd = end;
            start = end + 2;
        }
        if (last < 0) {
            if (framed.complete())
                std::abort();
        } else {
            const QString line = model.mid(last, lastEnd - last);
            const bool fits = line.size() <= kRxBufferLimit;
            if (framed.damaged == fits || (fits && framed.reading != line) || (!fits && framed.reading))
                std::abort();
            model.remove(0, start);
        }
        QString pending = model;
        if (pending.endsWith(QLatin1Char('\r')))
            pending.chop(1);
        if (pending.size() <= kRxBufferLimit && !rx.overflowed && rx.text != model)
            std::abort();
        if (rx.text.size() > kRxBufferLimit + 1 || dropped < 0)
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
