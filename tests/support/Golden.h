#pragma once
// Golden files: what a test produces, compared byte for byte with a file kept
// under tests/golden/. After a deliberate change, run the tests with
// TARVEX_UPDATE_GOLDEN=1 to rewrite the files, then read the diff: a golden
// file is only as right as the values in it.
//
// A case file is a golden file of lines "input | input ... => output": the
// test takes the inputs from the file and computes each output, and the whole
// file is compared, so a table of cases is data rather than code. Blank lines
// and lines starting with "#" stay as they are. Fields holding line ends, tabs,
// "|" or blanks at either end are written with \r \n \t \| and in quotes.

#include "platform/PictureArea.h"
#include "platform/Result.h"
#include "tables/DataTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTest>
#include <QStringList>
#include <QTableWidget>
#include <cmath>
#include <functional>

namespace golden {

// A step of a case's set-up that has to work for the case to mean anything:
// its failure fails the test with the routine's own words. The value, or an
// empty one after a failure.
template <typename T, typename Kind>
T must(tarvex::Result<T, Kind> r, const char* file = __builtin_FILE(), int line = __builtin_LINE())
{
    if (!r.ok())
        QTest::qFail(qPrintable(QStringLiteral("set-up failed: ") + r.message()), file, line);
    if constexpr (!std::is_void_v<T>)
        return r.ok() ? std::move(*r) : T{};
}

inline QString path(const QString& name)
{
    return QString::fromLocal8Bit(qgetenv("TARVEX_SOURCE_DIR")) + QStringLiteral("/tests/golden/") + name;
}

inline QByteArray read(const QString& name)
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file's bytes, "<no file>" when there is none; and bytes into a file.
inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Empty when `actual` is what the golden file holds (or the file was
// rewritten); otherwise where it differs.
inline QString compare(const QString& name, const QByteArray& actual)
{
    if (qEnvironmentVariableIsEmpty("TARVEX_SOURCE_DIR"))
        return QStringLiteral("TARVEX_SOURCE_DIR is not set: run the test through ctest");
    const QString file = path(name);
    QFile f(file);
    if (qEnvironmentVariableIntValue("TARVEX_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(file).path());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(actual) != actual.size())
            return QStringLiteral("cannot write ") + file;
        return {};
    }
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("no golden file %1 (TARVEX_UPDATE_GOLDEN=1 writes it)").arg(file);
    const QByteArray expected = f.readAll();
    if (expected == actual)
        return {};
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    const qsizetype line = expected.left(at).count('\n');
    const auto lineOf = [line](const QByteArray& b) { return QString::fromUtf8(b.split('\n').value(line, "<end>")).left(400); };
    return QStringLiteral("%1 differs at byte %2 (sizes %3 and %4), line %5:\n  golden: %6\n  actual: %7")
        .arg(name).arg(at).arg(expected.size()).arg(actual.size()).arg(line + 1).arg(lineOf(expected), lineOf(actual));
}

// Empty when `actual` has the pixels of the golden image `name` (a PNG);
// otherwise how it differs.
inline QString image(const QString& name, const QImage& actual)
{
    const QImage shown = actual.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TARVEX_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path(name)).path());
        return shown.save(path(name)) ? QString() : QStringLiteral("cannot write ") + path(name);
    }
    const QImage expected = QImage(path(name)).convertToFormat(QImage::Format_RGB32);
    if (expected == shown)
        return {};
    int differ = 0;
    for (int y = 0; y < std::min(expected.height(), shown.height()); ++y)
        for (int x = 0; x < std::min(expected.width(), shown.width()); ++x)
            differ += expected.pixel(x, y) != shown.pixel(x, y);
    return QStringLiteral("%1: %2 x %3 against %4 x %5, %6 pixels differ")
        .arg(name).arg(shown.width()).arg(shown.height()).arg(expected.width()).arg(expected.height()).arg(differ);
}

// A text as a case-file field.
inline QString show(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\r': out += QStringLiteral("\\r"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '|': out += QStringLiteral("\\|"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    if (out.isEmpty() || out.startsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(' ')) || out.startsWith(QLatin1Char('"')))
        return QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

// A case-file field back as the text it stands for.
inline QString field(QString f)
{
    if (f.size() >= 2 && f.startsWith(QLatin1Char('"')) && f.endsWith(QLatin1Char('"')))
        f = f.mid(1, f.size() - 2);
    QString out;
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] != QLatin1Char('\\') || i + 1 == f.size()) {
            out += f[i];
            continue;
        }
        const QChar e = f[++i];
        if (e == QLatin1Char('r')) out += QLatin1Char('\r');
        else if (e == QLatin1Char('n')) out += QLatin1Char('\n');
        else if (e == QLatin1Char('t')) out += QLatin1Char('\t');
        else if (e == QLatin1Char('u')) { out += QChar(char16_t(f.mid(i + 1, 4).toUShort(nullptr, 16))); i += 4; }
        else out += e;
    }
    return out;
}

// "{3 ab}" in a case stands for "ababab": long texts stay short to write.
inline QString expand(QString text)
{
    static const QRegularExpression repeat(QStringLiteral("\\{(\\d+) ([^}]+)\\}"));
    for (auto m = repeat.match(text); m.hasMatch(); m = repeat.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), m.captured(2).repeated(m.captured(1).toInt()));
    return text;
}

// Table rows from texts "cell,cell" (a tab apart when the text holds one; the
// second cell takes the rest), from row `first` on.
inline void fill(tarvex::DataTable& t, const QStringList& rows, int first = 1)
{
    t.setRows(first + int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QString row = expand(rows[r]);
        const QChar apart = row.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
        t.setTextMatrix(first + r, 0, row.section(apart, 0, 0));
        t.setTextMatrix(first + r, 1, row.section(apart, 1));
    }
}

// A table as the window shows it: its headings `apart` (none when empty),
// then a line a row, the cells a blank apart.
inline QStringList lines(const QTableWidget& t, const QString& apart = {})
{
    QStringList out, cells;
    for (int c = 0; !apart.isEmpty() && c < t.columnCount(); ++c)
        cells << t.horizontalHeaderItem(c)->text();
    if (!apart.isEmpty())
        out << cells.join(apart);
    for (int r = 0; r < t.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < t.columnCount(); ++c)
            cells << t.item(r, c)->text();
        out << cells.join(QLatin1Char(' '));
    }
    return out;
}

// The standard output of a program run to its end; empty when it cannot run
// (a tool that is not installed).
inline QByteArray output(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) ? p.readAllStandardOutput() : QByteArray();
}

// Runs every case of the case file `name` through `compute` and compares.
inline QString cases(const QString& name, const std::function<QString(const QStringList& inputs)>& compute)
{
    const QByteArray bytes = read(name);
    if (bytes.isEmpty())
        return QStringLiteral("no case file ") + path(name);
    QStringList result;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        const qsizetype arrow = line.indexOf(QLatin1String(" =>"));
        if (line.startsWith(QLatin1Char('#')) || arrow < 0) {
            result << line;
            continue;
        }
        const QString input = line.left(arrow);
        QStringList inputs;
        for (const QString& f : input.split(QStringLiteral(" | ")))
            inputs << field(f);
        const QString output = compute(inputs);
        result << (output.isEmpty() ? input + QStringLiteral(" =>") : input + QStringLiteral(" => ") + output);
    }
    return compare(name, result.join(QLatin1Char('\n')).toUtf8());
}

inline QString number(double v)
{
    v = std::round(v * 1e4) / 1e4;
    return QString::number(v == 0 ? 0.0 : v, 'g', 12);
}

// The picture record as text, one operation a line, in the user coordinates
// of the scale given (the chart's own units, as its code wrote them).
inline QString displayList(const tarvex::PictureData& p, double left, double top, double width, double height)
{
    using tarvex::DrawOp;
    const auto at = [&](QPointF r) { return number(left + r.x() * width) + QLatin1Char(',') + number(top + r.y() * height); };
    QStringList out{QStringLiteral("background %1, %2 x %3").arg(p.background.name()).arg(p.designSize.width()).arg(p.designSize.height())};
    for (const DrawOp& op : p.ops) {
        QString pen = op.color.name();
        if (op.width != 1)
            pen += QStringLiteral(" w%1").arg(op.width);
        if (op.style != Qt::SolidLine)
            pen += op.style == Qt::DotLine ? QStringLiteral(" dot") : QStringLiteral(" style%1").arg(int(op.style));
        switch (op.kind) {
        case DrawOp::Point: out << QStringLiteral("point %1 %2").arg(at(op.a), pen); break;
        case DrawOp::Line: out << QStringLiteral("line %1 %2 %3").arg(at(op.a), at(op.b), pen); break;
        case DrawOp::Box: out << QStringLiteral("box %1 %2 %3").arg(at(op.a), at(op.b), pen); break;
        case DrawOp::Circle:
            out << QStringLiteral("circle %1 r %2 %3").arg(at(op.a), number(op.radius * std::fabs(width)), pen);
            break;
        case DrawOp::Text:
            out << QStringLiteral("text %1 %2 %3 %4%5 %6")
                       .arg(at(op.a), op.color.name(), op.fontFamily, number(op.fontPointSize),
                            op.fontBold ? QStringLiteral(" bold") : QString(), show(op.text));
            break;
        case DrawOp::Polyline: {
            QStringList points;
            for (const QPointF& r : op.points)
                points << at(r);
            out << QStringLiteral("polyline %1 %2").arg(points.join(QLatin1Char(' ')), pen);
            break;
        }
        case DrawOp::Image:
            out << QStringLiteral("image %1 %2 of %3 ops").arg(at(op.a), at(op.b)).arg(op.picture ? op.picture->ops.size() : 0);
            break;
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

inline QString displayList(const tarvex::PictureArea& a)
{
    return displayList(*a.picture(), a.ScaleLeft(), a.ScaleTop(), a.ScaleWidth(), a.ScaleHeight());
}

} // namespace golden

// Inside a Qt test function: fails it with where the golden file differs.
#define GOLDEN_VERIFY(check)                                                                                           \
    do {                                                                                                               \
        const QString goldenWhy_ = (check);                                                                            \
        QVERIFY2(goldenWhy_.isEmpty(), qPrintable(goldenWhy_));                                                        \
    } while (false)
