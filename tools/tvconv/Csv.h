#pragma once
// Comma-separated values as spreadsheets write them: fields in double quotes
// may hold commas, quotes (doubled) and line breaks.
//
// The reader takes its input a piece at a time and hands on each row as soon
// as it ends, so that an input no table could come from is refused as soon as
// it shows, not after it has all been read into memory.

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
    // Gets each row; returns false, with `error` set, to stop the reading.
    using RowSink = std::function<bool(const CsvRow& row, QString* error)>;

    // A row of more than `maxFields` fields, or a field of more than
    // `maxFieldChars` characters, ends the reading with an error.
    CsvReader(int maxFields, qsizetype maxFieldChars, RowSink sink);

    // The next bytes of UTF-8 input (a leading byte order mark is skipped).
    // A character or a line end split between two pieces is read whole.
    // False, with `error` set, once the input is refused.
    bool add(QByteArrayView bytes, QString* error);
    // The end of the input: the last row, or the error of a quoted field
    // left open.
    bool finish(QString* error);

private:
    static QString decode(QByteArrayView bytes);
    bool addText(QStringView text, QString* error);
    bool endField(QString* error);
    bool endRow(QString* error);

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
