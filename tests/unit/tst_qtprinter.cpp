// The Qt printer: page metrics, text lines, a report printed into a PDF file
// (read back with poppler's tools when they are installed), the metric twins
// of the report's fonts, and the failure when the system has no printer.
#include "Golden.h"
#include "platform/Fonts.h"
#include "platform/PictureArea.h"
#include "platform/QtPrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

// The output of a poppler tool run on `pdf` (%1 in the arguments); empty when
// it is not installed.
QByteArray poppler(const char* tool, const char* args, const QString& pdf)
{
    return golden::output(QString::fromLatin1(tool), QString::fromLatin1(args).arg(pdf).split(QLatin1Char(' ')));
}

int redPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 180 && c.green() < 100 && c.blue() < 100;
        }
    return n;
}

} // namespace

class TestQtPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // A print server that is not there: this machine's printers take no
        // part, and "no default printer" is testable.
        qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/tarvex-test/cups.sock"));
        UseMetricTwinFonts();
    }

    // 12-point Courier New advances a tenth of an inch a character: a 60-character
    // note line is 6 inches, a table column 1.2 inches for 12.
    void reportFontsHaveMetricTwins()
    {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Courier New"))).family(), QStringLiteral("Liberation Mono"));
        QVERIFY(QFontInfo(QFont(QStringLiteral("Courier New"))).fixedPitch());
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(12);
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(QtPrinter::kDotsPerInch / 0.0254));
        device.setDotsPerMeterY(qRound(QtPrinter::kDotsPerInch / 0.0254));
        QVERIFY(std::fabs(QFontMetricsF(font, &device).horizontalAdvance(QString(60, 'M')) / QtPrinter::kDotsPerInch - 6.0) < 0.02);
    }

    void pageAndLines()
    {
        QTemporaryDir dir;
        QtPrinter printer(dir.filePath(QStringLiteral("page.pdf")), QPageSize::Letter);
        // The sheet's size and edges in inches: the preview cases of report.txt.
        printer.setOrientation(Printer::Orientation::Landscape);
        QCOMPARE(qRound(printer.ScaleWidth()), qRound(10.5 * 1440));   // in twips
        printer.setScaleMode(Printer::ScaleMode::Inches);
        // Print moves down one line: Liberation Mono is 1.13 em high, 12 points 0.19 inch.
        printer.setFontName(QStringLiteral("Courier New"));
        printer.setFontSize(12);
        printer.setCurrentX(7);
        printer.setCurrentY(0.5);
        printer.Print(QStringLiteral("X  Y"));
        QCOMPARE(printer.CurrentX(), 0.0);
        const double line = printer.CurrentY() - 0.5;
        QVERIFY2(line > 0.17 && line < 0.21, qPrintable(QString::number(line)));
        printer.setFontSize(24);
        const double before = printer.CurrentY();
        printer.Print(QString());
        QVERIFY(std::fabs((printer.CurrentY() - before) - 2 * line) < 0.01);
        printer.setOrientation(Printer::Orientation::Portrait);
        printer.EndDoc();

        QtPrinter idle(dir.filePath(QStringLiteral("empty.pdf")));
        idle.Width();
        idle.EndDoc();   // nothing drawn, nothing sent
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("empty.pdf"))));
    }

    void reportInAPdf()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QtPrinter printer(pdf);
        printer.setScaleMode(Printer::ScaleMode::Inches);
        printer.setOrientation(Printer::Orientation::Landscape);
        PictureArea chart(QSize(499, 292), Qt::white);   // a thick red diagonal and a ring
        chart.setScale(0, 100, 100, 0);
        chart.setDrawWidth(3);
        chart.Line(5, 5, 95, 95, QColor(255, 0, 0));
        chart.Circle(50, 50, 20, QColor(255, 0, 0));
        ReportPage content;
        content.chart = chart.picture();
        content.rows = {{QStringLiteral("X"), QStringLiteral("Y")}, {QStringLiteral("10"), QStringLiteral("2.5")}};
        content.note = QStringLiteral("Butt section stiff\r\nTip soft");
        content.shaftName = QStringLiteral("Tour X 65 R");
        content.resultsTitle = QStringLiteral("Stiffness along the shaft");
        content.results = {QStringLiteral("Curve  Tip (N·m²)"), QStringLiteral("1          20.18")};
        PrinterPage page(printer);
        QStringList failures;
        DrawProfileReport(page, 1.0, content, [&](const QString& d) { failures << d; });
        // Beyond the sheet's right and bottom edges nothing is sent.
        printer.setFontSize(12);
        for (const auto& [x, y, text] : {std::tuple{10.6, 0.5, "inside"}, {11.8, 0.5, "beyond"}, {1.0, 8.2, "below"}}) {
            printer.setCurrentX(x);
            printer.setCurrentY(y);
            printer.Print(QString::fromLatin1(text));
        }
        printer.EndDoc();
        QVERIFY(failures.isEmpty());
        QVERIFY(QFile::exists(pdf));

        const QString text = QString::fromUtf8(poppler("pdftotext", "-layout -x 0 -y 0 -W 5000 -H 5000 %1 -", pdf));
        const QImage image = QImage::fromData(poppler("pdftoppm", "-r 50 -png -singlefile %1", pdf));
        if (text.isEmpty() || image.isNull())
            QSKIP("poppler-utils (pdftotext, pdftoppm) are not installed");
        // What the report says is the export's case (window/forms.txt); here
        // the printer's own part: text beyond the sheet is not sent.
        QVERIFY2(text.contains(QStringLiteral("inside")) && !text.contains(QStringLiteral("beyond")) && !text.contains(QStringLiteral("below")), qPrintable(text));
        // One A4 landscape page, the printable corner a quarter inch in; the
        // chart in its place, 6.3 x 3.6 inches at (0.3, 1.25), and only there.
        QVERIFY(image.width() > image.height());
        const auto at = [](double inches) { return qRound((inches + 0.25) * 50); };
        const QRect chartRect(at(0.3), at(1.25), at(6.6) - at(0.3), at(4.85) - at(1.25));
        QVERIFY(redPixels(image, chartRect) > 100);
        QCOMPARE(redPixels(image, image.rect()), redPixels(image, chartRect));
    }

    // Print is told why; the preview goes on with the desktop's sheet and says nothing.
    void noDefaultPrinter()
    {
        QtPrinter printer;
        try {
            printer.Width();
            QFAIL("a printer was found");
        } catch (const NoDefaultPrinter& e) {
            QVERIFY(e.description().startsWith(QStringLiteral("There is no default printer")));
        }
        PictureArea pic(QSize(573, 403), Qt::white);
        QStringList failures;
        QVERIFY(SetPreviewScale(&printer, pic, [&](const QString& d) { failures << d; }) > 0.4);
        QCOMPARE(failures, QStringList());
        printer.EndDoc();   // nothing was begun: quiet
    }
};

QTEST_MAIN(TestQtPrinter)
#include "tst_qtprinter.moc"
