// The one-page report: note lines cut to width, the page laid out as the
// preview records it, the preview's scale on a real printer's sheet. Cases
// are in tests/golden/report.txt; whole pages are display lists under
// tests/golden/report/ (inches from the printable corner).
#include "Golden.h"
#include "platform/Printer.h"
#include "platform/QtPrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"

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
