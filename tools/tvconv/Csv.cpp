#include "Csv.h"

namespace tvconv {

std::optional<QList<CsvRow>> ParseCsv(const QString& input, QString* error)
{
    QString text = input;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<CsvRow> rows;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        CsvRow row;
        row.line = line;
        QString field;
        bool quotedField = false;
        bool endOfRow = false;
        while (!endOfRow) {
            if (i >= n) {
                endOfRow = true;
                break;
            }
            const QChar c = text.at(i);
            if (c == QLatin1Char('"') && field.isEmpty() && !quotedField) {
                quotedField = true;
                ++i;
                const int opened = line;
                bool closed = false;
                while (i < n) {
                    const QChar q = text.at(i++);
                    if (q == QLatin1Char('"')) {
                        if (i < n && text.at(i) == QLatin1Char('"')) {
                            field += QLatin1Char('"');
                            ++i;
                        } else {
                            closed = true;
                            break;
                        }
                    } else {
                        if (q == QLatin1Char('\n'))
                            ++line;
                        field += q;
                    }
                }
                if (!closed) {
                    if (error)
                        *error = QStringLiteral("line %1: a quoted field is not closed").arg(opened);
                    return std::nullopt;
                }
            } else if (c == QLatin1Char(',')) {
                row.fields << field;
                field.clear();
                quotedField = false;
                ++i;
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                i += (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
                ++line;
                endOfRow = true;
            } else {
                field += c;
                ++i;
            }
        }
        row.fields << field;
        row.blank = row.fields.size() == 1 && row.fields.first().isEmpty() && !quotedField;
        rows << row;
    }
    return rows;
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
