// The report: note lines cut to width, the table's headings and columns, the
// header's lines, how the rows fall on pages, the page laid out as the
// preview records it, the preview's scale on a real printer's sheet, and the
// PDF as a reader sees it (poppler's pdftotext, pdffonts and pdfinfo). Cases
// are in tests/golden/report.txt; whole pages are display lists under
// tests/golden/report/ (inches from the printable corner).
// TARVEX_KEEP_REPORT=folder keeps each PDF made there, to be looked at.
#include "Golden.h"
#include "platform/Printer.h"
#include "platform/QtPrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"

#include "report/ReportPdf.h"

#include <QRegularExpression>
#include <QtTest>

using namespace tarvex;

namespace {

// A page whose device fails at its drawing call numbered `failAt` (0 the first).
struct FailingPage : PreviewPage {
    using PreviewPage::PreviewPage;
    int failAt = -1, calls = 0;
    void fail()
    {
        if (calls++ == failAt)
            throw PrinterError(QStringLiteral("Printer error at drawing %1").arg(failAt));
    }
    void Box(double x1, double y1, double x2, double y2) override { guarded([&] { fail(), PreviewPage::Box(x1, y1, x2, y2); }); }
    void Print(const QString& text) override { guarded([&] { fail(), PreviewPage::Print(text); }); }
    void PaintPicture(const Picture& p, double x, double y, double w, double h) override
    {
        guarded([&] { fail(), PreviewPage::PaintPicture(p, x, y, w, h); });
    }
};

// A chart picture with one line in it, at the chart area's designed size.
Picture chartPicture(bool polar)
{
    const QSize size = polar ? QSize(333, 333) : QSize(499, 292);
    PictureArea area(size, Qt::white);
    area.Line(0, 0, size.width(), size.height(), Qt::red);
    return area.picture();
}

// The headings and `rows` data rows: angles 9 apart, loads 1.5 apart.
QList<QStringList> tableRows(int rows)
{
    QList<QStringList> out{{QStringLiteral("     Degree"), QStringLiteral("     Load")}};
    for (int i = 1; i <= rows; ++i)
        out.append({QString::number((i - 1) * 9), QString::number(i * 1.5)});
    return out;
}

// What a poppler tool prints about a file; empty when it is not installed.
QString poppler(const QString& program, const QStringList& args) { return QString::fromUtf8(golden::output(program, args)); }

// "cell:cell;cell:cell" as table rows.
QList<QStringList> rowsOf(const QString& text)
{
    QList<QStringList> rows;
    for (const QString& r : text.split(QLatin1Char(';')))
        rows.append(r.split(QLatin1Char(':')));
    return rows;
}

// pdf | profile|polar | data rows | curves | sine => what the PDF says: its
// pages, title and fonts, and the lines of its text that the case looks for
QString pdf(const QStringList& in)
{
    const bool polar = in[1] == QLatin1String("polar");
    ReportPage page;
    page.layout = polar ? Workspace::Polar : Workspace::Profile;
    page.shaftName = QStringLiteral("Ventus 6i");
    page.chart = chartPicture(polar);
    page.note = QStringLiteral("Measured twice.");
    page.loadUnit = QStringLiteral("kg");
    page.rows.append({polar ? QStringLiteral("     Degree") : QStringLiteral("X"), polar ? QStringLiteral("     Load") : QStringLiteral("Y")});
    for (int i = 1; i <= in[2].toInt(); ++i)
        page.rows.append({QString::number(i * 2), QString::number(50 + (i % 10) * 0.25)});
    for (int i = 1; i <= in[3].toInt(); ++i)
        page.curveNames << QStringLiteral("Shaft %1").arg(i);
    page.header = {QStringLiteral("Fairway Works"), QStringLiteral("J. Ames"), QStringLiteral("Acme"), QStringLiteral("Ventus"),
                   QStringLiteral("S"), QStringLiteral("V-12"), QStringLiteral("bench-2"), ReportHeader::Dated::Saved,
                   QDateTime(QDate(2026, 3, 4), QTime(9, 15))};
    page.chartRange = polar ? QStringLiteral("Range: auto, 1 kg (rings at 49, 50 and 51 kg)") : QString();
    page.showSine = in[4] == QLatin1String("sine");
    page.sineChart = page.showSine ? chartPicture(false) : Picture();
    const Result<QByteArray> made = ReportAsPdf(page);
    if (!made)
        return made.message();
    const QByteArray& bytes = *made;
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("TARVEX_KEEP_REPORT");
    const QString file = (keep.isEmpty() ? dir.path() : keep) + QStringLiteral("/report-%1-%2-%3-%4.pdf").arg(in[1], in[2], in[3], in[4]);
    golden::writeFile(file, bytes);
    const QString info = poppler(QStringLiteral("pdfinfo"), {file});
    if (info.isEmpty())
        return QStringLiteral("poppler-utils (pdfinfo, pdftotext, pdffonts) are not installed");
    const auto infoField = [&](const QString& name) {
        return QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(name), QRegularExpression::MultilineOption).match(info).captured(1).trimmed();
    };
    const QString fonts = poppler(QStringLiteral("pdffonts"), {file}).simplified();
    QStringList out{QStringLiteral("%1 pages, title %2").arg(infoField(QStringLiteral("Pages")), infoField(QStringLiteral("Title"))),
                    QStringLiteral("%1 fonts, %2 embedded").arg(fonts.count(QRegularExpression(QStringLiteral(" (yes|no) (yes|no) (yes|no) ")))).arg(fonts.count(QRegularExpression(QStringLiteral(" yes (yes|no) (yes|no) "))))};
    // The lines a fitter reads first: the header, the headings, the legend, the
    // page numbers; each line of text that holds one of them, blanks squeezed.
    static const QRegularExpression wanted(QStringLiteral("Shop|Shaft:|Measured|Position|Angle|Load \\(|Shaft \\d|Page \\d|Range|Sine view"));
    for (const QString& line : poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")}).split(QLatin1Char('\n')))
        if (wanted.match(line).hasMatch())
            out << line.simplified();
    return out.join(QStringLiteral(" / "));
}

QString run(QStringList in)
{
    while (in.size() < 9)
        in << QString();
    const QString& what = in[0];
    QStringList failures;
    const MessageSink report = [&](const QString& d) { failures << golden::show(d); };
    if (what == QLatin1String("wrap")) {
        QStringList pieces;
        for (const QString& p : WrapText(golden::expand(in[1]), std::int16_t(in[2].toInt())))
            pieces << golden::show(p);
        return pieces.join(QStringLiteral(" / "));
    }
    if (what == QLatin1String("page")) {   // page | profile|polar | name | note | table rows | ratio | fail at | dump [| results]
        const bool polar = in[1] == QLatin1String("polar");
        QTemporaryDir dir;
        QtPrinter letter(dir.filePath(QStringLiteral("page.pdf")), QPageSize::Letter);
        PictureArea pic(QSize(1056, 816), Qt::white);   // the sheet at 96 dots an inch: ratio 1
        SetPreviewScale(&letter, pic, report);
        ReportPage content;
        content.layout = polar ? Workspace::Polar : Workspace::Profile;
        content.shaftName = in[2];
        content.chart = in[2] == QLatin1String("no chart") ? Picture() : chartPicture(polar);
        content.note = golden::expand(in[3]);
        content.rows = in[4].isEmpty() ? QList<QStringList>() : tableRows(in[4].toInt());
        if (in.size() > 8) {   // | results "title/line/..."
            content.results = in[8].split(QLatin1Char('/'));
            content.resultsTitle = content.results.takeFirst();
        }
        FailingPage page(pic);
        page.failAt = in[6].isEmpty() ? -1 : in[6].toInt();
        DrawReport(page, in[5].toDouble(), content, report);
        const QString why = in.value(7).isEmpty() ? QString() : golden::compare(QStringLiteral("report/%1.txt").arg(in[7]), golden::displayList(pic).toUtf8());
        if (!why.isEmpty())
            return why;
        return QStringLiteral("%1 drawings").arg(pic.picture()->ops.size()) + (failures.isEmpty() ? QString() : QStringLiteral(" | ") + failures.join(QLatin1Char(' ')));
    }
    if (what == QLatin1String("columns")) {   // columns | rows | decimal separator => the lines
        QStringList lines;
        for (const QString& l : AlignedColumns(rowsOf(in[1]), in[2].at(0)))
            lines << golden::show(l);
        return lines.join(QStringLiteral(" / "));
    }
    if (what == QLatin1String("headings")) {   // headings | profile|polar | headings | load unit | length unit
        ReportPage page;
        page.layout = in[1] == QLatin1String("polar") ? Workspace::Polar : Workspace::Profile;
        page.rows = rowsOf(in[2]);
        page.loadUnit = in[3];
        page.lengthUnit = in[4];
        return ReportHeadings(page).join(QStringLiteral(" / "));
    }
    if (what == QLatin1String("header")) {   // header | shop | customer | maker model flex label | dated | bench => lines
        ReportHeader h;
        h.shop = in[1];
        h.customer = in[2];
        const QStringList shaft = in[3].split(QLatin1Char('/'));
        h.maker = shaft.value(0), h.model = shaft.value(1), h.flex = shaft.value(2), h.label = shaft.value(3);
        h.dated = in[4] == QLatin1String("saved") ? ReportHeader::Dated::Saved
            : in[4] == QLatin1String("stored")    ? ReportHeader::Dated::Stored
                                                  : ReportHeader::Dated::Unsaved;
        if (!in[4].isEmpty())
            h.measuredAt = QDateTime(QDate(2026, 3, 4), QTime(9, 15));
        h.bench = in[5];
        return ReportHeaderLines(h).join(QStringLiteral(" / "));
    }
    if (what == QLatin1String("layout")) {   // layout | data rows | line width => pages and rows per page
        const ReportTableLayout l = LayOutReportTable(in[1].toInt(), in[2].toInt());
        return QStringLiteral("%1 pages; %2 x %3 rows on the first, %4 x %5 on the later ones")
            .arg(l.pages).arg(l.blocksFirst).arg(l.rowsPerBlockFirst).arg(l.blocksLater).arg(l.rowsPerBlockLater);
    }
    if (what == QLatin1String("pdf"))
        return pdf(in);
    if (what == QLatin1String("sheet"))   // sheet | locale => the sheet the preview and the PDF use there
        return QPageSize::name(DesktopSheet(QLocale(in[1])));
    if (what == QLatin1String("preview")) {   // preview | area size | printer failure | polar report dump
        QTemporaryDir dir;   // a PDF on a letter sheet, or the system's printer (there is none)
        const auto printer = in.value(2).isEmpty() ? std::make_unique<QtPrinter>(dir.filePath(QStringLiteral("p.pdf")), QPageSize::Letter) : std::make_unique<QtPrinter>();
        const QString size = in[1].mid(in[1].startsWith(QLatin1Char('-')) ? 1 : 0);
        PictureArea pic(QSize(size.section(QLatin1Char('x'), 0, 0).toInt(), size.section(QLatin1Char('x'), 1).toInt()), Qt::white);
        pic.Line(0, 0, 10, 10);
        // "-": no printer facility at all
        const double ratio = SetPreviewScale(in[1].startsWith(QLatin1Char('-')) ? nullptr : printer.get(), pic, report);
        QString out = QStringLiteral("ratio %1, %2 x %3, sheet %4,%5 %6 x %7, font %8, printer %9 %10")
                          .arg(golden::number(ratio)).arg(pic.designSize().width()).arg(pic.designSize().height())
                          .arg(golden::number(pic.ScaleLeft()), golden::number(pic.ScaleTop()), golden::number(pic.ScaleWidth()),
                               golden::number(pic.ScaleHeight()), golden::number(pic.FontSize()))
                          .arg(printer->orientation() == Printer::Orientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"),
                               printer->scaleMode() == Printer::ScaleMode::Twips ? QStringLiteral("twips") : QStringLiteral("inches"));
        out += pic.picture()->ops.empty() ? QStringLiteral(", erased") : QStringLiteral(", NOT ERASED");
        // A second preview keeps the size and the ratio.
        const QSize grown = pic.designSize();
        const double again = SetPreviewScale(printer.get(), pic, [](const QString&) {});
        if (std::fabs(again - ratio) > 1e-2 || pic.designSize() != grown)
            out += QStringLiteral(", again %1 at %2 x %3").arg(golden::number(again)).arg(pic.designSize().width()).arg(pic.designSize().height());
        if (!in.value(3).isEmpty()) {
            PreviewPage page(pic);
            ReportPage content;
            content.shaftName = QStringLiteral("S");
            content.chart = chartPicture(true);
            DrawPolarReport(page, ratio, content, report);
            if (const QString why = golden::compare(QStringLiteral("report/%1.txt").arg(in[3]), golden::displayList(pic).toUtf8()); !why.isEmpty())
                return why;
        }
        return out + (failures.isEmpty() ? QString() : QStringLiteral(" | ") + failures.join(QLatin1Char(' ')));
    }
    return QStringLiteral("unknown");
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    // A print server that is not there: this machine's printers take no part.
    void initTestCase() { qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/tarvex-test/cups.sock")); }
    void cases() { GOLDEN_VERIFY(golden::cases("report.txt", run)); }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
