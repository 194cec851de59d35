// The Qt printer: page metrics, text lines, a report printed into a PDF file
// (read back with poppler's tools when they are installed), the metric twins
// of the report's fonts, and the failure when the system has no printer.
#include "platform/Fonts.h"
#include "platform/PictureArea.h"
#include "platform/QtPrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"
#include "tables/DataTable.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

constexpr int kRenderDpi = 50;

// Renders page 1 of a PDF at kRenderDpi; a null image when poppler is missing.
QImage renderPdf(const QString& pdf, const QString& dir)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-r"), QString::number(kRenderDpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, dir + QStringLiteral("/page")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(dir + QStringLiteral("/page.png"));
}

// The text of a PDF; with `offPage` also text placed beyond the sheet.
QString pdfText(const QString& pdf, bool offPage = false)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QStringList args{QStringLiteral("-layout")};
    if (offPage)
        args << QStringLiteral("-x") << QStringLiteral("0") << QStringLiteral("-y") << QStringLiteral("0")
             << QStringLiteral("-W") << QStringLiteral("5000") << QStringLiteral("-H") << QStringLiteral("5000");
    QProcess p;
    p.start(tool, args << pdf << QStringLiteral("-"));
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += match(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool isRed(QColor c) { return c.red() > 180 && c.green() < 100 && c.blue() < 100; }
bool isDark(QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

} // namespace

class TestQtPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Point the print system at a server that is not there: this machine's
        // printers must not take part, and "no default printer" is testable.
        qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/tarvex-test/cups.sock"));
        UseMetricTwinFonts();
    }

    void metricTwins_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<bool>("fixedPitch");
        QTest::newRow("Courier New") << "Courier New" << "Liberation Mono" << true;
        QTest::newRow("Arial") << "Arial" << "Liberation Sans" << false;
    }

    void metricTwins()
    {
        QFETCH(QString, family);
        QFETCH(QString, twin);
        QFETCH(bool, fixedPitch);
        const QFontInfo info{QFont(family)};
        QCOMPARE(info.family(), twin);
        QCOMPARE(info.fixedPitch(), fixedPitch);
    }

    void courierTakesTheWidthTheLayoutExpects()
    {
        // 12-point Courier New advances 0.6 em, a tenth of an inch a character:
        // a 60-character note line is 6 inches, a table column 1.2 inches for 12.
        QTemporaryDir dir;
        QtPrinter printer(dir.filePath(QStringLiteral("metrics.pdf")));
        printer.Width();
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(12);
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(QtPrinter::kDotsPerInch / 0.0254));
        device.setDotsPerMeterY(qRound(QtPrinter::kDotsPerInch / 0.0254));
        const QFontMetricsF fm(font, &device);
        QVERIFY(std::fabs(fm.horizontalAdvance(QString(60, QLatin1Char('M'))) / QtPrinter::kDotsPerInch - 6.0) < 0.02);
    }

    void pageMetricsInTwipsAndInches()
    {
        QTemporaryDir dir;
        QtPrinter printer(dir.filePath(QStringLiteral("page.pdf")), QPageSize::Letter);
        printer.setOrientation(Printer::Orientation::Landscape);
        QCOMPARE(qRound(printer.Width()), 11 * 1440);
        QCOMPARE(qRound(printer.Height()), qRound(8.5 * 1440));
        QCOMPARE(qRound(printer.ScaleWidth()), qRound(10.5 * 1440));   // quarter-inch edges, in twips
        printer.setScaleMode(Printer::ScaleMode::Inches);
        QVERIFY(std::fabs(printer.ScaleWidth() - 10.5) < 1e-3);
        QVERIFY(std::fabs(printer.ScaleHeight() - 8.0) < 1e-3);
        printer.setOrientation(Printer::Orientation::Portrait);
        QCOMPARE(qRound(printer.Width()), qRound(8.5 * 1440));
    }

    void printMovesDownOneLine()
    {
        QTemporaryDir dir;
        QtPrinter printer(dir.filePath(QStringLiteral("lines.pdf")));
        printer.setScaleMode(Printer::ScaleMode::Inches);
        printer.setFontName(QStringLiteral("Courier New"));
        printer.setFontSize(12);
        printer.setCurrentX(7);
        printer.setCurrentY(0.5);
        printer.Print(QStringLiteral("X  Y"));
        QCOMPARE(printer.CurrentX(), 0.0);
        const double line = printer.CurrentY() - 0.5;
        // Liberation Mono is 1.13 em high: 12 points make 0.19 inch.
        QVERIFY2(line > 0.17 && line < 0.21, qPrintable(QString::number(line)));
        printer.setFontSize(24);
        const double before = printer.CurrentY();
        printer.Print(QString());
        QVERIFY(std::fabs((printer.CurrentY() - before) - 2 * line) < 0.01);
        printer.EndDoc();
    }

    void endDocWithoutDrawingSendsNothing()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("empty.pdf"));
        QtPrinter printer(pdf);
        printer.Width();
        printer.EndDoc();
        QVERIFY(!QFile::exists(pdf));
    }

    void reportInAPdf()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QtPrinter printer(pdf);
        printer.setScaleMode(Printer::ScaleMode::Inches);
        printer.setOrientation(Printer::Orientation::Landscape);

        // A chart with a thick red diagonal and a ring, as the chart area holds it.
        PictureArea chart(QSize(499, 292), Qt::white);
        chart.setScale(0, 100, 100, 0);
        chart.setDrawWidth(3);
        chart.Line(5, 5, 95, 95, QColor(255, 0, 0));
        chart.Circle(50, 50, 20, QColor(255, 0, 0));

        DataTable table(2);
        table.setRows(4);
        table.setTextMatrix(0, 0, QStringLiteral("X"));
        table.setTextMatrix(0, 1, QStringLiteral("Y"));
        for (int i = 1; i < 4; ++i) {
            table.setTextMatrix(i, 0, QString::number(10 * i));
            table.setTextMatrix(i, 1, QString::number(i * 2.5));
        }
        ReportContent content;
        content.shaftName = QStringLiteral("Tour X 65 R");
        content.chart = chart.picture();
        content.note = QStringLiteral("Butt section stiff\r\nTip soft");
        content.table = &table;
        PrinterPage page(printer);
        QStringList failures;
        DrawProfileReport(page, 1.0, content, [&](const QString& d) { failures << d; });
        printer.EndDoc();
        QVERIFY(failures.isEmpty());
        QVERIFY(QFile::exists(pdf));

        const QString text = pdfText(pdf);
        const QImage image = renderPdf(pdf, dir.path());
        if (text.isEmpty() || image.isNull())
            QSKIP("poppler-utils (pdftotext, pdftoppm) are not installed");

        QVERIFY(text.contains(QStringLiteral("Tarvex Report (Tour X 65 R)")));
        QVERIFY(text.contains(QStringLiteral("Note:")));
        QVERIFY(text.contains(QStringLiteral("Butt section stiff")));
        // pdftotext gives the gap of a table row as one or more blanks.
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\bX\\s+Y\\n"))), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\b20\\s+5\\n"))), qPrintable(text));

        // One A4 landscape page; the printable corner is a quarter inch in.
        QVERIFY(image.width() > image.height());
        const auto at = [](double inches) { return qRound((inches + 0.25) * kRenderDpi); };
        // The frame's left edge runs down at x = 0.2 inch.
        const QRect frameLeft(at(0.2) - 2, at(1), 5, at(7) - at(1));
        QVERIFY(countPixels(image, frameLeft, isDark) >= frameLeft.height() * 9 / 10);
        // The chart is in its place, 6.3 x 3.7 inches at (0.3, 1), and only there.
        const QRect chartRect(at(0.3), at(1), at(6.6) - at(0.3), at(4.7) - at(1));
        QVERIFY(countPixels(image, chartRect, isRed) > 100);
        QCOMPARE(countPixels(image, image.rect(), isRed), countPixels(image, chartRect, isRed));
    }

    void textBeyondTheSheetIsNotSent()
    {
        // A long table runs off the right edge of the sheet in columns that no
        // printer could show; they are left out of the document.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("edge.pdf"));
        QtPrinter printer(pdf);
        printer.setScaleMode(Printer::ScaleMode::Inches);
        printer.setOrientation(Printer::Orientation::Landscape);   // 11.69 in wide, 0.25 in edges
        printer.setFontName(QStringLiteral("Courier New"));
        printer.setFontSize(12);
        for (const auto& [x, text] : {std::pair{10.6, "inside"}, {11.3, "edge"}, {11.8, "beyond"}}) {
            printer.setCurrentX(x);
            printer.setCurrentY(0.5);
            printer.Print(QString::fromLatin1(text));
        }
        printer.setCurrentX(1);
        printer.setCurrentY(8.2);
        printer.Print(QStringLiteral("below"));
        QVERIFY(printer.CurrentY() > 8.2);
        printer.EndDoc();
        const QString text = pdfText(pdf, true);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(text.contains(QStringLiteral("inside")));
        QVERIFY(text.contains(QStringLiteral("edge")));
        QVERIFY(!text.contains(QStringLiteral("beyond")));
        QVERIFY(!text.contains(QStringLiteral("below")));
    }

    void noDefaultPrinter()
    {
        QtPrinter printer;
        try {
            printer.Width();
            QFAIL("a printer was found");
        } catch (const PrinterError& e) {
            QVERIFY(e.description().startsWith(QStringLiteral("There is no default printer")));
        }
        // The description reaches the preview, which goes on with a standard sheet.
        PictureArea pic(QSize(573, 403), Qt::white);
        QStringList failures;
        const double Ratio = SetPreviewScale(&printer, pic, [&](const QString& d) { failures << d; });
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.first().startsWith(QStringLiteral("There is no default printer")));
        QVERIFY(Ratio > 0.4);
        // Nothing was begun, so ending the document is quiet.
        printer.EndDoc();
    }
};

QTEST_MAIN(TestQtPrinter)
#include "tst_qtprinter.moc"
