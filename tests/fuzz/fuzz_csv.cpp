// Any bytes through the converter's CSV reader. Whatever the input, the rows
// (or the refusal) must not depend on how the input was split into pieces,
// and rows that were read must come back the same after being written out
// with CsvField: that is how the converter prints what --build reads.
#include "Csv.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdlib>

using namespace tvconv;

namespace {

struct Outcome {
    QList<CsvRow> rows;
    bool ok = false;
    QString error;
};

// Small limits, so that short inputs reach them too.
constexpr int kFields = 3;
constexpr qsizetype kFieldChars = 40;

Outcome parse(QByteArrayView bytes, qsizetype piece)
{
    Outcome out;
    CsvReader reader(kFields, kFieldChars, [&](const CsvRow& row) -> tarvex::Result<> {
        out.rows << row;
        return {};
    });
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        if (const tarvex::Result<> added = reader.add(bytes.sliced(at, std::min(piece, bytes.size() - at))); !added) {
            out.error = added.message();
            return out;
        }
    }
    const tarvex::Result<> finished = reader.finish();
    out.ok = finished.ok();
    out.error = finished.message();
    return out;
}

bool sameRows(const Outcome& a, const Outcome& b, bool linesToo)
{
    if (a.rows.size() != b.rows.size())
        return false;
    for (qsizetype i = 0; i < a.rows.size(); ++i) {
        if (a.rows[i].fields != b.rows[i].fields)
            return false;
        if (linesToo && (a.rows[i].line != b.rows[i].line || a.rows[i].blank != b.rows[i].blank))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Outcome whole = parse(bytes, std::max<qsizetype>(bytes.size(), 1));
    const Outcome single = parse(bytes, 1);
    const Outcome odd = parse(bytes, 1 + (size > 0 ? data[0] % 7 : 0));
    for (const Outcome* other : {&single, &odd}) {
        if (other->ok != whole.ok || other->error != whole.error || !sameRows(whole, *other, true))
            std::abort();
    }
    if (!whole.ok)
        return 0;
    // Written back with either line end, a byte order mark first in case the
    // first field begins with one.
    for (const QLatin1StringView lineEnd : {QLatin1StringView("\n"), QLatin1StringView("\r\n")}) {
        QString text = QChar(0xFEFF);
        for (const CsvRow& row : whole.rows) {
            QStringList fields;
            for (const QString& f : row.fields)
                fields << CsvField(f);
            text += fields.join(QLatin1Char(',')) + lineEnd;
        }
        const QByteArray again = text.toUtf8();
        const Outcome back = parse(again, again.size());
        if (!back.ok || !sameRows(whole, back, false))
            std::abort();
    }
    return 0;
}
