#include "Csv.h"

#include <QStringDecoder>

using tarvex::Failure;
using tarvex::Result;

namespace tvconv {

CsvReader::CsvReader(int maxFields, qsizetype maxFieldChars, RowSink sink)
    : maxFields_(maxFields), maxFieldChars_(maxFieldChars), sink_(std::move(sink))
{
}

Result<> CsvReader::add(QByteArrayView bytes)
{
    QByteArray data = pendingBytes_;
    data.append(bytes);
    // Hold back a character whose last bytes are still to come: decoded on
    // its own, its first bytes would become replacement characters.
    qsizetype cut = data.size();
    qsizetype i = cut;
    int following = 0;
    while (following < 3 && i > 0 && (static_cast<uchar>(data.at(i - 1)) & 0xC0) == 0x80) {
        --i;
        ++following;
    }
    if (i > 0) {
        const auto lead = static_cast<uchar>(data.at(i - 1));
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length > following + 1)
            cut = i - 1;
    }
    pendingBytes_ = data.sliced(cut);
    return addText(decode(data.first(cut)));
}

Result<> CsvReader::finish()
{
    if (!pendingBytes_.isEmpty()) {
        const QString rest = decode(pendingBytes_);
        pendingBytes_.clear();
        if (Result<> added = addText(rest); !added)
            return added;
    }
    if (quoteSeen_) {
        quoteSeen_ = false;
        inQuotes_ = false;
    }
    if (inQuotes_) {
        return Failure(QStringLiteral("line %1: a quoted field is not closed").arg(quoteOpenedOn_));
    }
    if (rowStarted_)
        return endRow();
    return {};
}

QString CsvReader::decode(QByteArrayView bytes)
{
    // QString::fromUtf8 would drop a byte order mark at the start of every
    // piece, and a piece may begin anywhere: only the input's first is skipped.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

Result<> CsvReader::addText(QStringView text)
{
    if (atStart_ && !text.isEmpty()) {
        atStart_ = false;
        if (text.front() == QChar(0xFEFF))
            text = text.sliced(1);
    }
    for (const QChar c : text) {
        if (crSeen_) {
            crSeen_ = false;
            if (c == QLatin1Char('\n'))
                continue;
        }
        if (quoteSeen_) {
            quoteSeen_ = false;
            if (c != QLatin1Char('"'))
                inQuotes_ = false;
        } else if (inQuotes_ && c == QLatin1Char('"')) {
            quoteSeen_ = true;
            continue;
        }
        if (inQuotes_) {
            if (c == QLatin1Char('\n'))
                ++line_;
        } else {
            if (!rowStarted_) {
                rowStarted_ = true;
                row_.line = line_;
            }
            if (c == QLatin1Char('"') && field_.isEmpty() && !fieldQuoted_) {
                fieldQuoted_ = inQuotes_ = true;
                quoteOpenedOn_ = line_;
                continue;
            }
            if (c == QLatin1Char(',')) {
                if (Result<> ended = endField(); !ended)
                    return ended;
                continue;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                ++line_;
                crSeen_ = c == QLatin1Char('\r');
                if (Result<> ended = endRow(); !ended)
                    return ended;
                continue;
            }
        }
        if (field_.size() == maxFieldChars_) {
            return Failure(QStringLiteral("line %1: a field of more than %2 characters, more than any cell, heading "
                                          "or note of a data file holds")
                               .arg(row_.line)
                               .arg(maxFieldChars_));
        }
        field_ += c;
    }
    return {};
}

Result<> CsvReader::endField()
{
    // A comma means one more field follows: refuse before reading it.
    if (row_.fields.size() + 1 >= maxFields_)
        return Failure(QStringLiteral("line %1: expected %2 fields, found more").arg(row_.line).arg(maxFields_));
    row_.fields << field_;
    field_.clear();
    fieldQuoted_ = false;
    return {};
}

Result<> CsvReader::endRow()
{
    row_.blank = row_.fields.isEmpty() && field_.isEmpty() && !fieldQuoted_;
    row_.fields << field_;
    field_.clear();
    fieldQuoted_ = false;
    rowStarted_ = false;
    Result<> taken = sink_(row_);
    row_ = CsvRow{};
    return taken;
}

QString CsvField(const QString& text)
{
    const bool plain = !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) && text.trimmed() == text;
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace tvconv
