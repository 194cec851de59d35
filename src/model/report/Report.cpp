#include "report/Report.h"

#include "charts/xy/CurveLegend.h"

#include "platform/FailurePolicy.h"
#include "platform/Printer.h"
#include "platform/Twips.h"
#include "report/ReportTarget.h"
#include "charts/xy/XYChart.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <iterator>
#include <cmath>

namespace tarvex {

namespace {

const QString kReportFont = QStringLiteral("Courier New");

// The table and the header in a fixed-width font at fixed line pitches, so
// how many rows a page takes is known before anything is drawn.
constexpr double kTableFontSize = 9;
constexpr double kLinePitch = 0.15;            // a 9-point line with its leading
constexpr double kCharWidth = 0.075;           // a fixed-width character at 9 points: 0.6 em
constexpr double kBlockGap = 0.3;
constexpr double kFirstLeft = 7.0;
constexpr double kRightEdge = 10.9;
constexpr double kFirstTop = 0.5;
constexpr double kLaterLeft = 0.4;
constexpr double kLaterTop = 1.0;
constexpr double kLastLine = 7.2;              // the last row's top; the page number under it
constexpr double kHeaderFontSize = 8;
constexpr double kHeaderPitch = 0.13;
constexpr int kHeaderChars = 88;               // 8-point characters from the title's left to the table
constexpr double kChartTop = 1.25;              // under the header and the value axis's title
constexpr double kChartHeight = 3.6;
constexpr double kLegendColumn = 2.1;

int blocksAcross(double width, int lineChars)
{
    const double block = std::max(lineChars, 1) * kCharWidth;
    return std::max(1, static_cast<int>((width + kBlockGap) / (block + kBlockGap)));
}

int rowsBelow(double top)
{
    return std::max(1, static_cast<int>(std::floor((kLastLine - top) / kLinePitch + 1e-9)));
}

QString elided(const QString& line, int chars)
{
    return line.size() <= chars ? line : line.left(chars - 1) + QChar(0x2026);
}

void printAt(ReportTarget& t, double x, double y, const QString& text)
{
    t.setCurrentX(x);
    t.setCurrentY(y);
    t.Print(text);
}

// A small line of 8-point text, centred on `centre` as the fixed-width font sets it.
void printCentred(ReportTarget& t, double centre, double y, const QString& text)
{
    printAt(t, std::max(0.3, centre - text.size() * kCharWidth * kHeaderFontSize / kTableFontSize / 2), y, text);
}

// The table's rows, `first` to before `end`, in blocks from `left` at `top`,
// each block under the heading line.
void drawTableRows(ReportTarget& t, double Ratio, const QStringList& lines, int first, int end, int blocks,
                   int rowsPerBlock, double left, double top)
{
    t.setFontName(kReportFont);
    t.setFontBold(false);
    t.setFontSize(kTableFontSize * Ratio);
    const int lineChars = lines.isEmpty() ? 1 : static_cast<int>(lines.front().size());
    const double step = lineChars * kCharWidth + kBlockGap;
    for (int b = 0; b < blocks && first + b * rowsPerBlock < end; ++b) {
        const double x = left + b * step;
        t.setFontBold(true);
        printAt(t, x, top, lines.front());
        t.setFontBold(false);
        const int from = first + b * rowsPerBlock;
        for (int r = from; r < std::min(end, from + rowsPerBlock); ++r)
            printAt(t, x, top + (r - from + 1) * kLinePitch, lines[r + 1]);
    }
}

void drawFrame(ReportTarget& t)
{
    // The frame: 10 dots on paper, 2 pixels on the (narrower) preview.
    t.setDrawWidth(t.Width() > 10000 ? 10 : 2);
    t.Box(0.2, 0.2, 11, 7.5);
}

QString titleLine(const ReportPage& page)
{
    return QCoreApplication::translate("Report", "Tarvex Report (%1)").arg(page.shaftName);
}

void drawPageNumber(ReportTarget& t, double Ratio, int page, int pages)
{
    if (pages < 2)
        return;
    t.setFontBold(false);
    t.setFontSize(kHeaderFontSize * Ratio);
    printAt(t, 9.6, kLastLine + kLinePitch, QCoreApplication::translate("Report", "Page %1 of %2").arg(page).arg(pages));
}

// The axis titles of the profile chart and the legend under it, or the polar
// chart's caption and range; returns where the text under the chart ends.
double drawChartTexts(ReportTarget& t, double Ratio, const ReportPage& page, double chartWidth)
{
    const QStringList headings = ReportHeadings(page);
    t.setFontName(kReportFont);
    t.setFontBold(false);
    t.setFontSize(kHeaderFontSize * Ratio);
    double y = kChartTop + kChartHeight + 0.02;
    if (page.layout == Workspace::Polar) {
        printAt(t, 0.4, y, QCoreApplication::translate("Report", "Rings: %1; around the shaft: %2").arg(headings.value(1), headings.value(0)));
        y += kHeaderPitch;
        if (!page.chartRange.isEmpty()) {
            printAt(t, 0.4, y, page.chartRange);
            y += kHeaderPitch;
        }
        if (page.showSine && page.sineChart) {
            const double left = 4.2, width = 2.7;
            const QSize design = page.sineChart->designSize;
            const double height = design.width() > 0 ? width * design.height() / design.width() : 0;
            t.PaintPicture(page.sineChart, left, kChartTop, width, height);
            t.setFontSize(kHeaderFontSize * Ratio);
            printAt(t, left, kChartTop + height + 0.02, QCoreApplication::translate("Report", "Sine view: the readings and the fitted curve"));
        }
        return y;
    }
    // The Y axis title over the chart's top left corner, the X title under it.
    printAt(t, 0.35, kChartTop - kHeaderPitch - 0.02, page.chartValueTitle.isEmpty() ? headings.value(1) : page.chartValueTitle);
    printCentred(t, 0.3 + chartWidth / 2, y, headings.value(0));
    y += kHeaderPitch;
    if (!page.curveNames.isEmpty()) {
        const int columns = std::max(1, static_cast<int>(chartWidth / kLegendColumn));
        int lines = 0;
        const Picture legend = ReportLegend(page.curveNames, columns, lines);
        const QSize design = legend->designSize;
        t.PaintPicture(legend, 0.4, y, design.width() / kDesignDpi, design.height() / kDesignDpi);
        y += design.height() / kDesignDpi;
    }
    return y;
}

// A failure ends the page where it is: what was drawn is still shown or sent.
void drawPage(ReportTarget& t, double Ratio, const ReportPage& page, double chartWidth,
              const MessageSink& onFailure)
{
    const auto draw = [&] {
        drawFrame(t);

        t.setFontName(kReportFont);
        t.setFontBold(true);
        t.setFontSize(16 * Ratio);
        t.setCurrentX(1);
        t.setCurrentY(0.4);
        t.Print(titleLine(page));
        t.setFontBold(false);
        t.setDrawWidth(1);

        const QStringList header = ReportHeaderLines(page.header);
        t.setFontSize(kHeaderFontSize * Ratio);
        for (qsizetype i = 0; i < header.size(); ++i)
            printAt(t, 1, 0.7 + i * kHeaderPitch, elided(header[i], kHeaderChars));

        t.PaintPicture(page.chart, 0.3, kChartTop, chartWidth, kChartHeight);

        double noteAt = drawChartTexts(t, Ratio, page, chartWidth) + 0.05;
        if (!page.results.isEmpty()) {
            t.setCurrentX(0.4);
            t.setCurrentY(noteAt);
            t.setFontSize(12 * Ratio);
            t.setFontBold(true);
            if (!page.resultsTitle.isEmpty())
                t.Print(page.resultsTitle);
            t.setFontBold(false);
            t.setFontSize(9 * Ratio);
            for (const QString& line : page.results) {
                t.setCurrentX(0.4);
                t.Print(line);
            }
            noteAt = t.CurrentY() + 0.1;
        }

        t.setCurrentX(0.4);
        t.setCurrentY(noteAt);
        t.setFontSize(14 * Ratio);
        t.setFontBold(true);
        t.Print(QCoreApplication::translate("Report", "Note:"));
        t.setFontBold(false);

        QString note = page.note;
        note.remove(QLatin1Char('\r'));
        const QStringList lines = note.isEmpty() ? QStringList() : note.split(QLatin1Char('\n'));
        t.setCurrentX(0.4);
        t.setCurrentY(noteAt + 0.4);
        t.setFontSize(12 * Ratio);
        for (const QString& line : lines) {
            if (line.size() > 80) {
                for (const QString& piece : WrapText(line, 60)) {
                    t.setCurrentX(0.4);
                    t.Print(piece);
                }
            } else {
                t.setCurrentX(0.4);
                t.Print(line);
            }
        }

        if (page.rows.isEmpty())
            return;
        QList<QStringList> rows = page.rows;
        const QStringList headings = ReportHeadings(page);
        for (qsizetype c = 0; c < rows.front().size() && c < headings.size(); ++c)
            rows.front()[c] = headings[c];
        const QStringList table = AlignedColumns(rows, QLocale::system().decimalPoint().front());
        const int dataRows = static_cast<int>(table.size()) - 1;
        const ReportTableLayout layout = LayOutReportTable(dataRows, static_cast<int>(table.front().size()));
        int done = std::min(dataRows, layout.perFirstPage());
        drawTableRows(t, Ratio, table, 0, done, layout.blocksFirst, layout.rowsPerBlockFirst, kFirstLeft, kFirstTop);
        drawPageNumber(t, Ratio, 1, layout.pages);
        // The later pages: the title and who and what, briefly, over the rest of the table.
        const QString brief = elided(QStringList{header.value(0), header.value(1)}.join(QStringLiteral("    ")).trimmed(), 130);
        for (int p = 2; p <= layout.pages && t.NewPage(); ++p) {
            drawFrame(t);
            t.setFontName(kReportFont);
            t.setFontBold(true);
            t.setFontSize(13 * Ratio);
            printAt(t, 1, 0.4, titleLine(page));
            t.setFontBold(false);
            t.setDrawWidth(1);
            t.setFontSize(kHeaderFontSize * Ratio);
            printAt(t, 1, 0.7, brief);
            const int end = std::min(dataRows, done + layout.perLaterPage());
            drawTableRows(t, Ratio, table, done, end, layout.blocksLater, layout.rowsPerBlockLater, kLaterLeft, kLaterTop);
            drawPageNumber(t, Ratio, p, layout.pages);
            done = end;
        }
    };
    draw();
    StopWithMessage(t.outcome(), onFailure);
}

} // namespace

QStringList WrapText(QString s, std::int16_t w)
{
    QStringList result{QString()};
    // A width below one character could never shorten the text.
    if (w < 1) {
        result.insert(result.size() - 1, s);
        return result;
    }
    const QChar blank(QLatin1Char(' '));
    while (s.size() > w) {
        QString head = s.left(w);
        QString rest = s.mid(w);
        if (rest.startsWith(blank) && w >= 3) {
            qsizetype k = 0;
            while (k < rest.size() && rest.at(k) == blank)
                ++k;
            rest = rest.mid(k);
        } else {
            const qsizetype q = head.lastIndexOf(blank) + 1;   // 1-based, 0 for none
            if (!(q == head.size() || q <= w / 2)) {
                head = s.left(q);
                rest = s.mid(q);
            }
        }
        result.insert(result.size() - 1, head);
        s = rest;
    }
    result.insert(result.size() - 1, s);
    return result;
}

QStringList ReportHeadings(const ReportPage& page)
{
    QStringList out;
    if (page.rows.isEmpty())
        return out;
    const QStringList& heads = page.rows.front();
    const bool polar = page.layout == Workspace::Polar;
    const QString first = heads.value(0).trimmed();
    if (first.isEmpty() || first == (polar ? QLatin1String("Degree") : QLatin1String("X")))
        out << (polar ? QCoreApplication::translate("Report", "Angle (%1)").arg(QChar(0x00B0))
                      : page.lengthUnit.isEmpty() ? QCoreApplication::translate("Report", "Position")
                                                  : QCoreApplication::translate("Report", "Position (%1)").arg(page.lengthUnit));
    else
        out << first;
    const QString second = heads.value(1).trimmed();
    if (second.isEmpty() || second == QLatin1String("Y") || second == QLatin1String("Load"))
        out << (page.loadUnit.isEmpty() ? QCoreApplication::translate("Report", "Load")
                                        : QCoreApplication::translate("Report", "Load (%1)").arg(page.loadUnit));
    else
        out << second;
    for (qsizetype c = 2; c < heads.size(); ++c)
        out << heads[c].trimmed();
    return out;
}

QStringList AlignedColumns(const QList<QStringList>& rows, QChar decimal)
{
    qsizetype columns = 0;
    for (const QStringList& r : rows)
        columns = std::max(columns, r.size());
    // Each data cell is split at its decimal separator: the whole part is
    // right-aligned before it, the fraction left-aligned after it, and the
    // pair right-aligned in the column, under a heading right-aligned too.
    std::vector<qsizetype> whole(std::size_t(columns), 0), fraction(std::size_t(columns), 0), width(std::size_t(columns), 0);
    const auto split = [decimal](const QString& cell) {
        const QString t = cell.trimmed();
        const qsizetype at = t.indexOf(decimal);
        return at < 0 ? std::pair{t, QString()} : std::pair{t.left(at), t.mid(at)};
    };
    for (qsizetype r = 1; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const auto [w, f] = split(rows[r][c]);
            whole[std::size_t(c)] = std::max(whole[std::size_t(c)], w.size());
            fraction[std::size_t(c)] = std::max(fraction[std::size_t(c)], f.size());
        }
    for (qsizetype c = 0; c < columns; ++c) {
        width[std::size_t(c)] = whole[std::size_t(c)] + fraction[std::size_t(c)];
        if (!rows.isEmpty())
            width[std::size_t(c)] = std::max(width[std::size_t(c)], rows.front().value(c).trimmed().size());
    }
    QStringList lines;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QStringList cells;
        for (qsizetype c = 0; c < columns; ++c) {
            const std::size_t k = std::size_t(c);
            QString cell;
            if (r == 0) {
                cell = rows[r].value(c).trimmed();
            } else {
                const auto [w, f] = split(rows[r].value(c));
                cell = w.rightJustified(whole[k]) + f.leftJustified(fraction[k]);
            }
            cells << cell.rightJustified(width[k]);
        }
        lines << cells.join(QStringLiteral("  "));
    }
    return lines;
}

QStringList ReportHeaderLines(const ReportHeader& h)
{
    const QString gap = QStringLiteral("    ");
    QStringList lines;
    QStringList who;
    if (!h.shop.trimmed().isEmpty())
        who << QCoreApplication::translate("Report", "Shop: %1").arg(h.shop.trimmed());
    if (!h.customer.trimmed().isEmpty())
        who << QCoreApplication::translate("Report", "Customer: %1").arg(h.customer.trimmed());
    if (!who.isEmpty())
        lines << who.join(gap);
    QStringList shaft;
    for (const QString& part : {h.maker, h.model, h.flex})
        if (!part.trimmed().isEmpty())
            shaft << part.trimmed();
    if (!h.label.trimmed().isEmpty())
        shaft << QCoreApplication::translate("Report", "label %1").arg(h.label.trimmed());
    if (!shaft.isEmpty())
        lines << QCoreApplication::translate("Report", "Shaft: %1").arg(shaft.join(QLatin1Char(' ')));
    QStringList when;
    if (h.measuredAt.isValid()) {
        const QString at = h.measuredAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        switch (h.dated) {
        case ReportHeader::Dated::Saved:
            when << QCoreApplication::translate("Report", "Measured: %1 (the file's save time)").arg(at);
            break;
        case ReportHeader::Dated::Stored:
            when << QCoreApplication::translate("Report", "Measured: %1 (as stored in the library)").arg(at);
            break;
        case ReportHeader::Dated::Unsaved:
            when << QCoreApplication::translate("Report", "Printed: %1 (the table is not saved)").arg(at);
            break;
        }
    }
    if (!h.bench.trimmed().isEmpty())
        when << QCoreApplication::translate("Report", "Bench: %1").arg(h.bench.trimmed());
    if (!when.isEmpty())
        lines << when.join(gap);
    return lines;
}

QString ReportTitle(const ReportPage& page)
{
    if (!page.shaftName.trimmed().isEmpty())
        return page.shaftName.trimmed();
    QStringList shaft;
    for (const QString& part : {page.header.maker, page.header.model, page.header.flex, page.header.label})
        if (!part.trimmed().isEmpty())
            shaft << part.trimmed();
    return shaft.isEmpty() ? QCoreApplication::translate("Report", "Tarvex Report") : shaft.join(QLatin1Char(' '));
}

ReportTableLayout LayOutReportTable(int dataRows, int lineChars)
{
    ReportTableLayout l;
    l.blocksFirst = blocksAcross(kRightEdge - kFirstLeft, lineChars);
    l.rowsPerBlockFirst = rowsBelow(kFirstTop);
    l.blocksLater = blocksAcross(kRightEdge - kLaterLeft, lineChars);
    l.rowsPerBlockLater = rowsBelow(kLaterTop);
    const int rest = std::max(0, dataRows - l.perFirstPage());
    l.pages = 1 + (rest + l.perLaterPage() - 1) / l.perLaterPage();
    return l;
}

Picture ReportLegend(const QStringList& names, int columns, int& lines)
{
    // Drawn at the designed resolution, so that it prints at its own size.
    columns = std::max(columns, 1);
    lines = static_cast<int>((names.size() + columns - 1) / columns);
    const int columnPx = static_cast<int>(kLegendColumn * kDesignDpi);
    const int linePx = 14;
    PictureArea area(QSize(columns * columnPx, std::max(1, lines) * linePx), Qt::white);
    area.setFontName(kReportFont);
    area.setFontSize(kHeaderFontSize);
    const int chars = static_cast<int>((kLegendColumn - 0.35) / (kCharWidth * kHeaderFontSize / kTableFontSize));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const double x = static_cast<double>(i % columns) * columnPx;
        const double y = static_cast<double>(i / columns) * linePx;
        // The chart's own look for the curve: past twelve, the colours come dashed.
        const CurveStyle style = XYCurveStyle(static_cast<int>(i) + 1);
        area.setDrawWidth(style.dash == PictureArea::Solid ? 3 : 1);
        area.setDrawStyle(style.dash);
        area.Line(x + 2, y + linePx / 2.0, x + 24, y + linePx / 2.0, style.colour);
        area.setDrawStyle(PictureArea::Solid);
        area.setDrawWidth(1);
        area.setForeColor(Qt::black);
        area.setCurrentX(x + 28);
        area.setCurrentY(y + 1);
        area.Print(elided(QStringLiteral("%1 %2").arg(i + 1).arg(names[i]), chars));
    }
    return area.picture();
}

void DrawProfileReport(ReportTarget& target, double Ratio, const ReportPage& page,
                       const MessageSink& onFailure)
{
    drawPage(target, Ratio, page, 6.3, onFailure);
}

void DrawPolarReport(ReportTarget& target, double Ratio, const ReportPage& page,
                     const MessageSink& onFailure)
{
    drawPage(target, Ratio, page, kChartHeight, onFailure);
}

void DrawReport(ReportTarget& target, double Ratio, const ReportPage& page,
                const MessageSink& onFailure)
{
    if (page.layout == Workspace::Polar)
        DrawPolarReport(target, Ratio, page, onFailure);
    else
        DrawProfileReport(target, Ratio, page, onFailure);
}

namespace {

// A landscape document in inches: `draw` gets the page and a sink that
// remembers the first failure. A document that does not reach the printer
// must not pass for printed: unless the drawing has already failed, ending
// it is the failure.
template <typename Draw>
Result<> PrintDocument(Printer& printer, Draw draw)
{
    printer.setScaleMode(Printer::ScaleMode::Inches);
    printer.setOrientation(Printer::Orientation::Landscape);
    std::optional<QString> failure;
    const MessageSink report = [&](const QString& description) {
        if (!failure)
            failure = description;
    };
    PrinterPage target(printer);
    draw(target, report, failure);
    const Result<> ended = target.endDoc();
    if (failure)
        return Failure(*failure);
    return ended;
}

} // namespace

Result<> PrintReport(Printer& printer, const ReportPage& page)
{
    printer.setDocumentTitle(ReportTitle(page));
    return PrintDocument(printer, [&](PrinterPage& target, const MessageSink& report, const std::optional<QString>&) {
        DrawReport(target, 1.0, page, report);
    });
}

void DrawCertificatePage(ReportTarget& t, double Ratio, const SetCertificate& cert, const QStringList& lines,
                         int page, int pages, const MessageSink& onFailure)
{
    const auto draw = [&] {
        t.setDrawWidth(t.Width() > 10000 ? 10 : 2);
        t.Box(0.2, 0.2, 11, 7.5);
        t.setDrawWidth(1);
        t.setFontName(kReportFont);
        t.setFontBold(true);
        t.setFontSize(13 * Ratio);
        t.setCurrentX(0.4);
        t.setCurrentY(0.4);
        t.Print(cert.title);
        t.setFontBold(false);
        t.setFontSize(9 * Ratio);
        t.setCurrentX(0.4);
        t.Print(QCoreApplication::translate("Report", "Page %1 of %2").arg(page).arg(pages));
        t.setCurrentY(1.0);
        for (const QString& line : lines) {
            t.setCurrentX(0.4);
            t.Print(line);
        }
    };
    draw();
    StopWithMessage(t.outcome(), onFailure);
}

Result<> PrintCertificate(Printer& printer, const SetCertificate& cert)
{
    printer.setDocumentTitle(cert.title);
    return PrintDocument(printer, [&](PrinterPage& target, const MessageSink& report, const std::optional<QString>& failed) {
        const QList<QStringList> pages = CertificatePages(cert.lines, kCertificateLinesPerPage);
        for (qsizetype i = 0; i < pages.size() && !failed; ++i) {
            if (i > 0)
                StopWithMessage(target.newPage(), report);
            if (!failed)
                DrawCertificatePage(target, 1.0, cert, pages[i], int(i + 1), int(pages.size()), report);
        }
    });
}

PageGeometry ReadPrinterPage(Printer& printer)
{
    PageGeometry page;
    printer.setOrientation(Printer::Orientation::Landscape);
    page.width = printer.Width() / kTwipsPerInch;
    page.height = printer.Height() / kTwipsPerInch;
    const Printer::ScaleMode kept = printer.scaleMode();
    printer.setScaleMode(Printer::ScaleMode::Inches);
    try {
        page.gapX = (page.width - printer.ScaleWidth()) / 2;
        page.gapY = (page.height - printer.ScaleHeight()) / 2;
    } catch (...) {
        printer.setScaleMode(kept);
        throw;
    }
    printer.setScaleMode(kept);
    page.fontName = printer.FontName();
    page.fontSize = printer.FontSize();
    page.foreColor = printer.ForeColor();
    return page;
}

QPageSize::PageSizeId DesktopSheet(const QLocale& locale)
{
    static const QLocale::Territory kLetter[] = {QLocale::UnitedStates, QLocale::Canada, QLocale::Mexico, QLocale::Chile,
                                                 QLocale::Colombia, QLocale::Philippines, QLocale::Venezuela, QLocale::PuertoRico,
                                                 QLocale::CostaRica, QLocale::Guatemala, QLocale::Panama, QLocale::DominicanRepublic};
    return std::find(std::begin(kLetter), std::end(kLetter), locale.territory()) != std::end(kLetter) ? QPageSize::Letter : QPageSize::A4;
}

PageGeometry StandardPage(QPageSize::PageSizeId sheet)
{
    PageGeometry page;
    const QSizeF mm = QPageSize(sheet).size(QPageSize::Millimeter);   // exact; inches are rounded
    page.width = std::max(mm.width(), mm.height()) / 25.4;           // landscape
    page.height = std::min(mm.width(), mm.height()) / 25.4;
    page.gapX = 0.25;
    page.gapY = 0.25;
    page.fontName = QStringLiteral("Arial");
    page.fontSize = 10;
    return page;
}

double SetPreviewScale(Printer* printer, PictureArea& pic, const MessageSink& onFailure)
{
    PageGeometry page = StandardPage();
    // Without a printer the preview still shows the report, on a standard
    // sheet, rather than text of size 0.
    if (printer)
        SkipOnFailure(
            [&] {
                try {
                    page = ReadPrinterPage(*printer);
                } catch (const NoDefaultPrinter&) {
                }
            },
            onFailure);

    const QSize inner = pic.designSize();
    const double heightRatio = inner.height() / kDesignDpi / page.height;
    const double widthRatio = inner.width() / kDesignDpi / page.width;
    QSize outer = inner;
    double Ratio = 0;
    // Within a pixel the area already has the sheet's proportions; so a second
    // Preview keeps the size the first one gave.
    if (heightRatio - widthRatio > 1.0 / (kDesignDpi * page.height)) {
        Ratio = heightRatio;
        outer.setWidth(std::max(inner.width(), static_cast<int>(std::lround(page.width * Ratio * kDesignDpi))));
    } else {
        Ratio = widthRatio;
        outer.setHeight(std::max(inner.height(), static_cast<int>(std::lround(page.height * Ratio * kDesignDpi))));
    }
    if (outer != inner)
        pic.setDesignSize(outer);

    pic.setScale(-page.gapX, -page.gapY, page.width - page.gapX, page.height - page.gapY);
    pic.setFontName(page.fontName);
    pic.setFontSize(page.fontSize * Ratio);
    pic.setForeColor(page.foreColor);
    pic.Cls();
    return Ratio;
}

} // namespace tarvex
