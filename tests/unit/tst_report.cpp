// The report layout, the wrapping of note lines and the preview's scale, drawn
// on the recording printer and on a picture area.
#include "platform/PictureArea.h"
#include "fakes/FakePrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"
#include "tables/DataTable.h"

#include <QtTest>
#include <memory>

using namespace tarvex;

namespace {

bool near(double a, double b, double tolerance = 1e-9) { return std::fabs(a - b) <= tolerance; }

QList<PrintedOp> textsOf(const QList<PrintedOp>& ops)
{
    QList<PrintedOp> out;
    for (const PrintedOp& op : ops)
        if (op.kind == PrintedOp::Text)
            out << op;
    return out;
}

// A chart picture with one line in it, at the chart area's designed size.
Picture chartPicture(QSize size = QSize(499, 292))
{
    PictureArea area(size, Qt::white);
    area.Line(0, 0, size.width(), size.height(), Qt::red);
    return area.picture();
}

struct Printed {
    QList<PrintedOp> ops;
    QStringList failures;
};

Printed printReport(bool polar, const ReportContent& content, FakePrinter& printer, double ratio = 1.0)
{
    printer.setScaleMode(Printer::ScaleMode::Inches);
    printer.setOrientation(Printer::Orientation::Landscape);
    PrinterPage page(printer);
    Printed out;
    const MessageSink report = [&](const QString& d) { out.failures << d; };
    if (polar)
        DrawPolarReport(page, ratio, content, report);
    else
        DrawProfileReport(page, ratio, content, report);
    out.ops = printer.page;
    return out;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void wrapText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("pieces");

        const QString a60(60, QLatin1Char('a'));
        QTest::newRow("short") << "abc" << 60 << QStringList{"abc", ""};
        QTest::newRow("empty") << "" << 60 << QStringList{"", ""};
        QTest::newRow("exactly w") << a60 << 60 << QStringList{a60, ""};
        QTest::newRow("100 without blanks: 60 and 40")
            << QString(100, QLatin1Char('x')) << 60 << QStringList{QString(60, 'x'), QString(40, 'x'), ""};
        QTest::newRow("61st character a blank")
            << a60 + " bcd" << 60 << QStringList{a60, "bcd", ""};
        QTest::newRow("blanks after the cut are all dropped")
            << a60 + "    bcd" << 60 << QStringList{a60, "bcd", ""};
        QTest::newRow("cut at the last blank beyond the middle")
            << QString(40, 'a') + " " + QString(40, 'b') << 60
            << QStringList{QString(40, 'a') + " ", QString(40, 'b'), ""};
        QTest::newRow("blank at the middle is not used")
            << QString(29, 'a') + " " + QString(50, 'b') << 60
            << QStringList{QString(29, 'a') + " " + QString(30, 'b'), QString(20, 'b'), ""};
        QTest::newRow("blank just past the middle is used")
            << QString(30, 'a') + " " + QString(50, 'b') << 60
            << QStringList{QString(30, 'a') + " ", QString(50, 'b'), ""};
        QTest::newRow("blank as the last character of the piece")
            << QString(59, 'a') + " " + QString(30, 'b') << 60
            << QStringList{QString(59, 'a') + " ", QString(30, 'b'), ""};
        QTest::newRow("three pieces")
            << QString("word ").repeated(30) << 60
            << QStringList{QString("word ").repeated(12), QString("word ").repeated(12), QString("word ").repeated(6), ""};
        QTest::newRow("w 2: a blank after the cut stays")
            << "ab cd" << 2 << QStringList{"ab", " c", "d", ""};
        QTest::newRow("w 2: cut after a blank") << "a b c" << 2 << QStringList{"a ", "b ", "c", ""};
        QTest::newRow("w 1") << " ab" << 1 << QStringList{" ", "a", "b", ""};
        QTest::newRow("w 0 keeps the line whole") << "abc def" << 0 << QStringList{"abc def", ""};
        QTest::newRow("negative w keeps the line whole") << "abc def" << -5 << QStringList{"abc def", ""};
    }

    void wrapText()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, pieces);
        QCOMPARE(WrapText(text, static_cast<std::int16_t>(width)), pieces);
    }

    void wrapTextPiecesNeverExceedTheWidth()
    {
        const QString line = QStringLiteral("The shaft was measured twice at each station and the mean recorded; "
                                            "stations 3 and 7 were repeated after recalibration of the bench.");
        for (std::int16_t w : {3, 10, 25, 60}) {
            const QStringList pieces = WrapText(line, w);
            QCOMPARE(pieces.last(), QString());
            for (const QString& piece : pieces)
                QVERIFY2(piece.size() <= w, qPrintable(QStringLiteral("w %1: '%2'").arg(w).arg(piece)));
        }
    }

    void frameAndTitle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty name") << "" << "Tarvex Report ()";
        QTest::newRow("filled name") << "Tour X 65 R" << "Tarvex Report (Tour X 65 R)";
    }

    void frameAndTitle()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        FakePrinter printer;
        ReportContent content;
        content.shaftName = name;
        content.chart = chartPicture();
        const Printed printed = printReport(false, content, printer);
        QVERIFY(printed.failures.isEmpty());
        QVERIFY(!printed.ops.isEmpty());

        const PrintedOp& frame = printed.ops.first();
        QCOMPARE(frame.kind, PrintedOp::Box);
        QVERIFY(near(frame.x1, 0.2) && near(frame.y1, 0.2) && near(frame.x2, 11) && near(frame.y2, 7.5));
        QCOMPARE(frame.drawWidth, 10);   // a landscape sheet is wider than 10000 twips

        const PrintedOp titleOp = textsOf(printed.ops).first();
        QCOMPARE(titleOp.text, title);
        QVERIFY(near(titleOp.x1, 1) && near(titleOp.y1, 0.4));
        QCOMPARE(titleOp.fontName, QStringLiteral("Courier New"));
        QVERIFY(titleOp.fontBold);
        QCOMPARE(titleOp.fontSize, 16.0);
    }

    void chartIsStretchedIntoItsPlace_data()
    {
        QTest::addColumn<bool>("polar");
        QTest::addColumn<double>("width");
        QTest::newRow("profile") << false << 6.3;
        QTest::newRow("polar") << true << 3.7;
    }

    void chartIsStretchedIntoItsPlace()
    {
        QFETCH(bool, polar);
        QFETCH(double, width);
        FakePrinter printer;
        ReportContent content;
        content.chart = chartPicture(polar ? QSize(333, 333) : QSize(499, 292));
        const Printed printed = printReport(polar, content, printer);
        QList<PrintedOp> pictures;
        for (const PrintedOp& op : printed.ops)
            if (op.kind == PrintedOp::Picture)
                pictures << op;
        QCOMPARE(pictures.size(), 1);
        const PrintedOp& chart = pictures.first();
        QCOMPARE(chart.picture, content.chart);
        QVERIFY(near(chart.x1, 0.3) && near(chart.y1, 1.0));
        QVERIFY(near(chart.x2 - chart.x1, width) && near(chart.y2 - chart.y1, 3.7));
        QCOMPARE(chart.drawWidth, 1);
    }

    void noteLines_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QStringList>("lines");
        const QString l80(80, QLatin1Char('n'));
        const QString l81 = QString("word ").repeated(16) + "w";   // 81 characters
        QTest::newRow("empty note prints no line") << "" << QStringList{};
        QTest::newRow("carriage returns removed") << "first\r\nsecond\r\nthird" << QStringList{"first", "second", "third"};
        QTest::newRow("lone CR dropped, not a break") << "a\rb" << QStringList{"ab"};
        QTest::newRow("empty lines kept") << "a\n\nb\n" << QStringList{"a", "", "b", ""};
        QTest::newRow("80 characters whole") << l80 << QStringList{l80};
        QTest::newRow("81 characters wrapped, then an empty line")
            << l81 << QStringList{QString("word ").repeated(12), QString("word ").repeated(4) + "w", ""};
    }

    void noteLines()
    {
        QFETCH(QString, note);
        QFETCH(QStringList, lines);
        FakePrinter printer;
        ReportContent content;
        content.chart = chartPicture();
        content.note = note;
        const Printed printed = printReport(false, content, printer);
        QVERIFY(printed.failures.isEmpty());

        const QList<PrintedOp> texts = textsOf(printed.ops);
        QCOMPARE(texts.at(1).text, QStringLiteral("Note:"));
        QVERIFY(near(texts.at(1).x1, 0.4) && near(texts.at(1).y1, 4.8));
        QCOMPARE(texts.at(1).fontSize, 14.0);
        QVERIFY(texts.at(1).fontBold);

        // Without a table the note lines are the last texts.
        const QList<PrintedOp> noteOps = texts.mid(2);
        QCOMPARE(noteOps.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(noteOps.at(i).text, lines.at(i));
            QVERIFY(near(noteOps.at(i).x1, 0.4));
            QVERIFY(near(noteOps.at(i).y1, 5.2 + i * FakePrinter::lineHeight(12), 1e-9));
            QCOMPARE(noteOps.at(i).fontSize, 12.0);
            QVERIFY(!noteOps.at(i).fontBold);
        }
    }

    void tableContinuesInColumnsToTheRight()
    {
        DataTable table(2);
        table.setRows(41);
        table.setTextMatrix(0, 0, QStringLiteral("     Degree"));
        table.setTextMatrix(0, 1, QStringLiteral("     Load"));
        for (int i = 1; i < 41; ++i) {
            table.setTextMatrix(i, 0, QString::number((i - 1) * 9));
            table.setTextMatrix(i, 1, QString::number(i * 1.5));
        }
        FakePrinter printer;
        ReportContent content;
        content.chart = chartPicture(QSize(333, 333));
        content.note = QStringLiteral("one line");
        content.table = &table;
        const Printed printed = printReport(true, content, printer);
        QVERIFY(printed.failures.isEmpty());

        const QList<PrintedOp> rows = textsOf(printed.ops).mid(3);   // after title, "Note:" and the note
        QCOMPARE(rows.size(), 41);
        // The heading row comes first, as the table holds it.
        QCOMPARE(rows.first().text, QStringLiteral("     Degree       Load"));
        QCOMPARE(rows.at(1).text, QStringLiteral("0  1.5"));
        const double line = FakePrinter::lineHeight(12);
        double x = 7, y = 0.5;
        int columns = 1;
        for (const PrintedOp& row : rows) {
            if (y > 7) {
                x += 1.2;
                y = 0.5;
                ++columns;
            }
            QVERIFY2(near(row.x1, x) && near(row.y1, y, 1e-9), qPrintable(row.text));
            QCOMPARE(row.fontName, QStringLiteral("Courier New"));
            QCOMPARE(row.fontSize, 12.0);
            y += line;
        }
        QCOMPARE(columns, 2);
        // The second column restarts at the top, 1.2 inches to the right.
        const auto second = std::find_if(rows.begin(), rows.end(), [](const PrintedOp& r) { return r.x1 > 7.5; });
        QVERIFY(second != rows.end());
        QVERIFY(near(second->x1, 8.2) && near(second->y1, 0.5));
        QVERIFY((second - 1)->y1 <= 7.0);
    }

    void fontsFollowTheRatio()
    {
        FakePrinter printer;
        ReportContent content;
        content.chart = chartPicture();
        content.note = QStringLiteral("n");
        DataTable table(2);
        content.table = &table;
        const Printed printed = printReport(false, content, printer, 0.5);
        const QList<PrintedOp> texts = textsOf(printed.ops);
        QCOMPARE(texts.at(0).fontSize, 8.0);
        QCOMPARE(texts.at(1).fontSize, 7.0);
        QCOMPARE(texts.at(2).fontSize, 6.0);
        QCOMPARE(texts.last().fontSize, 6.0);
    }

    void failureIsShownOnceAndStopsTheDrawing()
    {
        FakePrinter printer;
        printer.failAtDrawing = 2;   // the frame and the title pass, the chart fails
        ReportContent content;
        content.chart = chartPicture();
        content.note = QStringLiteral("note");
        DataTable table(2);
        content.table = &table;
        const Printed printed = printReport(false, content, printer);
        QCOMPARE(printed.failures, QStringList{QStringLiteral("Printer error at drawing 2")});
        QCOMPARE(printed.ops.size(), 2);   // what was drawn stays
    }

    void missingPictureIsAFailure()
    {
        FakePrinter printer;
        const Printed printed = printReport(true, ReportContent{}, printer);
        QCOMPARE(printed.failures, QStringList{QStringLiteral("Invalid picture")});
        QCOMPARE(textsOf(printed.ops).size(), 1);
    }

    // ---- preview ---------------------------------------------------------

    void previewGrowsToThePageProportions_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("grown");
        QTest::addColumn<double>("ratio");
        // Letter landscape 11 x 8.5 inches; 96 pixels to the inch.
        QTest::newRow("wider than the page grows taller") << QSize(600, 300) << QSize(600, 464) << 600 / 96.0 / 11;
        QTest::newRow("taller than the page grows wider") << QSize(300, 600) << QSize(776, 600) << 600 / 96.0 / 8.5;
        QTest::newRow("the designed preview area") << QSize(573, 403) << QSize(573, 443) << 573 / 96.0 / 11;
        QTest::newRow("already in proportion") << QSize(1056, 816) << QSize(1056, 816) << 1056 / 96.0 / 11;
    }

    void previewGrowsToThePageProportions()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, grown);
        QFETCH(double, ratio);
        FakePrinter printer;
        PictureArea pic(area, Qt::white);
        QStringList failures;
        const double Ratio = SetPreviewScale(&printer, pic, [&](const QString& d) { failures << d; });
        QVERIFY(failures.isEmpty());
        QVERIFY(near(Ratio, ratio, 1e-12));
        QCOMPARE(pic.designSize(), grown);
        // The whole sheet, with the printer's origin at the printable corner.
        QVERIFY(near(pic.ScaleLeft(), -0.25) && near(pic.ScaleTop(), -0.25));
        QVERIFY(near(pic.ScaleWidth(), 11) && near(pic.ScaleHeight(), 8.5));
        QVERIFY(near(pic.FontSize(), 10 * Ratio));
        // The printer is left in landscape and in the unit it had.
        QCOMPARE(printer.orientation(), Printer::Orientation::Landscape);
        QCOMPARE(printer.scaleMode(), Printer::ScaleMode::Twips);

        // A second preview keeps the size and the ratio.
        const double again = SetPreviewScale(&printer, pic, {});
        QCOMPARE(pic.designSize(), grown);
        QVERIFY(near(again, Ratio, 1e-2));
    }

    void previewErasesTheArea()
    {
        FakePrinter printer;
        PictureArea pic(QSize(573, 403), Qt::white);
        pic.Line(0, 0, 10, 10);
        SetPreviewScale(&printer, pic, {});
        QVERIFY(pic.picture()->ops.empty());
    }

    void previewWithoutPrinterShowsAStandardSheet()
    {
        FakePrinter printer;
        printer.failure = QStringLiteral("There is no default printer");
        PictureArea pic(QSize(573, 403), Qt::white);
        QStringList failures;
        const double Ratio = SetPreviewScale(&printer, pic, [&](const QString& d) { failures << d; });
        QCOMPARE(failures, QStringList{QStringLiteral("There is no default printer")});
        const PageGeometry a4 = StandardPage();
        QVERIFY(near(a4.width, 11.69, 0.01) && near(a4.height, 8.27, 0.01));
        QVERIFY(near(Ratio, 573 / 96.0 / a4.width, 1e-12));
        QVERIFY(near(pic.ScaleWidth(), a4.width) && near(pic.ScaleLeft(), -0.25));
        QVERIFY(pic.FontSize() > 0);

        // The report then draws at a readable size.
        PreviewPage page(pic);
        ReportContent content;
        content.chart = chartPicture();
        DrawProfileReport(page, Ratio, content, [&](const QString& d) { failures << d; });
        QCOMPARE(failures.size(), 1);
        const DrawOp& title = pic.picture()->ops.at(1);
        QCOMPARE(title.kind, DrawOp::Text);
        QVERIFY(title.fontPointSize > 5);
    }

    void previewWithoutPrinterFacility()
    {
        PictureArea pic(QSize(573, 403), Qt::white);
        bool asked = false;
        const double Ratio = SetPreviewScale(nullptr, pic, [&](const QString&) { asked = true; });
        QVERIFY(!asked);
        QVERIFY(Ratio > 0);
    }

    void reportOnThePreviewArea()
    {
        FakePrinter printer;
        PictureArea pic(QSize(573, 403), Qt::white);
        const double Ratio = SetPreviewScale(&printer, pic, {});
        PreviewPage page(pic);
        QVERIFY(page.Width() < 10000);
        ReportContent content;
        content.shaftName = QStringLiteral("S");
        content.chart = chartPicture();
        DrawPolarReport(page, Ratio, content, {});

        const auto& ops = pic.picture()->ops;
        QVERIFY(ops.size() >= 3);
        QCOMPARE(ops.at(0).kind, DrawOp::Box);
        QCOMPARE(ops.at(0).width, 2);   // the preview's frame is 2 pixels wide
        // (0.2, 0.2) inches on a sheet whose printable corner is 0.25 in.
        QVERIFY(near(ops.at(0).a.x(), 0.45 / 11, 1e-12) && near(ops.at(0).a.y(), 0.45 / 8.5, 1e-12));
        QCOMPARE(ops.at(1).text, QStringLiteral("Tarvex Report (S)"));
        QVERIFY(near(ops.at(1).fontPointSize, 16 * Ratio));
        QCOMPARE(ops.at(2).kind, DrawOp::Image);
        QCOMPARE(ops.at(2).picture, content.chart);
        QVERIFY(near(ops.at(2).b.x() - ops.at(2).a.x(), 3.7 / 11, 1e-12));
        QVERIFY(near(ops.at(2).b.y() - ops.at(2).a.y(), 3.7 / 8.5, 1e-12));
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
