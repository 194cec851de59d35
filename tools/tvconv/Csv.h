#pragma once
// Comma-separated values as spreadsheets write them: fields in double quotes
// may hold commas, quotes (doubled) and line breaks.
//
// The reader takes its input a piece at a time and hands on each row as soon
// as it ends, so that an input no table could come from is refused as soon as
// it shows, not after it has all been read into memory.

#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

namespace tvconv {

struct CsvRow {
    int line = 0;          // line on which the row starts, from 1
    bool blank = false;    // an empty line
    QStringList fields;
};

class CsvReader {
public:
    // Gets each row; a failure stops the reading and is what the reading
    // answers.
    using RowSink = std::function<tarvex::Result<>(const CsvRow& row)>;

    // A row of more than `maxFields` fields, or a field of more than
    // `maxFieldChars` characters, ends the reading with an error.
    CsvReader(int maxFields, qsizetype maxFieldChars, RowSink sink);

    // The next bytes of UTF-8 input (a leading byte order mark is skipped).
    // A character or a line end split between two pieces is read whole.
    // A failure once the input is refused.
    tarvex::Result<> add(QByteArrayView bytes);
    // The end of the input: the last row, or the failure of a quoted field
    // left open.
    tarvex::Result<> finish();

private:
    static QString decode(QByteArrayView bytes);
    tarvex::Result<> addText(QStringView text);
    tarvex::Result<> endField();
    tarvex::Result<> endRow();

    int maxFields_;
    qsizetype maxFieldChars_;
    RowSink sink_;
    QByteArray pendingBytes_;   // a character's first bytes, waiting for the rest
    bool atStart_ = true;
    int line_ = 1;
    CsvRow row_;
    bool rowStarted_ = false;
    QString field_;
    bool fieldQuoted_ = false;
    bool inQuotes_ = false;
    bool quoteSeen_ = false;    // a quote inside quotes: closing, or the first of two
    bool crSeen_ = false;       // a carriage return ended the row; a line feed may follow
    int quoteOpenedOn_ = 0;
};

// The text as one CSV field, quoted when it has to be.
QString CsvField(const QString& text);

} // namespace tvconv
