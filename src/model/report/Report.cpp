#include "report/Report.h"

#include "platform/FailurePolicy.h"
#include "platform/Printer.h"
#include "platform/Twips.h"
#include "report/ReportTarget.h"

#include <algorithm>
#include <iterator>
#include <cmath>

namespace tarvex {

namespace {

const QString kReportFont = QStringLiteral("Courier New");

// A failure ends the page where it is: what was drawn is still shown or sent.
void drawPage(ReportTarget& t, double Ratio, const ReportPage& page, double chartWidth,
              const MessageSink& onFailure)
{
    const auto draw = [&] {
        // The frame: 10 dots on paper, 2 pixels on the (narrower) preview.
        t.setDrawWidth(t.Width() > 10000 ? 10 : 2);
        t.Box(0.2, 0.2, 11, 7.5);

        t.setFontName(kReportFont);
        t.setFontBold(true);
        t.setFontSize(16 * Ratio);
        t.setCurrentX(1);
        t.setCurrentY(0.4);
        t.Print(QStringLiteral("Tarvex Report (") + page.shaftName + QStringLiteral(")"));
        t.setFontBold(false);
        t.setDrawWidth(1);

        t.PaintPicture(page.chart, 0.3, 1, chartWidth, 3.7);

        double noteAt = 4.8;
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
        t.Print(QStringLiteral("Note:"));
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

        t.setFontName(kReportFont);
        t.setFontSize(12 * Ratio);
        double x = 7;
        t.setCurrentX(x);
        t.setCurrentY(0.5);
        for (const QStringList& row : page.rows) {
            if (t.CurrentY() > 7) {
                x += 1.2;
                t.setCurrentY(0.5);
            }
            t.setCurrentX(x);
            t.Print(row.join(QStringLiteral("  ")));
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

void DrawProfileReport(ReportTarget& target, double Ratio, const ReportPage& page,
                       const MessageSink& onFailure)
{
    drawPage(target, Ratio, page, 6.3, onFailure);
}

void DrawPolarReport(ReportTarget& target, double Ratio, const ReportPage& page,
                     const MessageSink& onFailure)
{
    drawPage(target, Ratio, page, 3.7, onFailure);
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
// remembers a failure. A document that does not reach the printer must not
// pass for printed: unless the drawing has already said what went wrong,
// ending it says so.
template <typename Draw>
bool PrintDocument(Printer& printer, const MessageSink& onFailure, Draw draw)
{
    printer.setScaleMode(Printer::ScaleMode::Inches);
    printer.setOrientation(Printer::Orientation::Landscape);
    bool failed = false;
    const MessageSink report = [&](const QString& description) {
        failed = true;
        if (onFailure)
            onFailure(description);
    };
    PrinterPage target(printer);
    draw(target, report, failed);
    StopWithMessage(target.endDoc(), failed ? MessageSink() : report);
    return !failed;
}

} // namespace

bool PrintReport(Printer& printer, const ReportPage& page, const MessageSink& onFailure)
{
    return PrintDocument(printer, onFailure, [&](PrinterPage& target, const MessageSink& report, const bool&) {
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
        t.Print(QStringLiteral("Page %1 of %2").arg(page).arg(pages));
        t.setCurrentY(1.0);
        for (const QString& line : lines) {
            t.setCurrentX(0.4);
            t.Print(line);
        }
    };
    draw();
    StopWithMessage(t.outcome(), onFailure);
}

bool PrintCertificate(Printer& printer, const SetCertificate& cert, const MessageSink& onFailure)
{
    return PrintDocument(printer, onFailure, [&](PrinterPage& target, const MessageSink& report, const bool& failed) {
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
