#pragma once
// Comma-separated values as spreadsheets write them: fields in double quotes
// may hold commas, quotes (doubled) and line breaks.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tvconv {

struct CsvRow {
    int line = 0;          // line on which the row starts, from 1
    bool blank = false;    // an empty line
    QStringList fields;
};

// Rows of `text`; nothing when a quoted field is not closed (`error` says where).
std::optional<QList<CsvRow>> ParseCsv(const QString& text, QString* error);

QString CsvField(const QString& text);

} // namespace tvconv
