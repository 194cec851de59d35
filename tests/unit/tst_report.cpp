// The one-page report: note lines cut to width, the page laid out on the
// recording printer and on the preview, the preview's scale. Cases are in
// tests/golden/report.txt; whole pages are dumps under tests/golden/report/
// (inches from the printable corner).
#include "Golden.h"
#include "fakes/FakePrinter.h"
#include "report/Report.h"
#include "report/ReportTarget.h"

#include <QtTest>

using namespace tarvex;

namespace {

QString dump(const QList<PrintedOp>& ops)
{
    QStringList out;
    for (const PrintedOp& op : ops) {
        const QString at = golden::number(op.x1) + QLatin1Char(',') + golden::number(op.y1);
        if (op.kind == PrintedOp::Text)
            out << QStringLiteral("text %1 %2 %3%4 %5").arg(at, op.fontName, golden::number(op.fontSize),
                                                           op.fontBold ? QStringLiteral(" bold") : QString(), golden::show(op.text));
        else
            out << QStringLiteral("%1 %2 %3,%4 w%5").arg(op.kind == PrintedOp::Box ? QStringLiteral("box") : QStringLiteral("picture"), at,
                                                         golden::number(op.x2), golden::number(op.y2)).arg(op.drawWidth);
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

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
        FakePrinter printer;
        printer.setScaleMode(Printer::ScaleMode::Inches);
        printer.setOrientation(Printer::Orientation::Landscape);
        printer.failAtDrawing = in[6].isEmpty() ? -1 : in[6].toInt();
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
        PrinterPage page(printer);
        DrawReport(page, in[5].toDouble(), content, report);
        const QString why = in.value(7).isEmpty() ? QString() : golden::compare(QStringLiteral("report/%1.txt").arg(in[7]), dump(printer.page).toUtf8());
        if (!why.isEmpty())
            return why;
        return QStringLiteral("%1 drawings").arg(printer.page.size()) + (failures.isEmpty() ? QString() : QStringLiteral(" | ") + failures.join(QLatin1Char(' ')));
    }
    if (what == QLatin1String("preview")) {   // preview | area size | printer failure | polar report dump
        FakePrinter printer;
        printer.failure = in.value(2);
        const QString size = in[1].mid(in[1].startsWith(QLatin1Char('-')) ? 1 : 0);
        PictureArea pic(QSize(size.section(QLatin1Char('x'), 0, 0).toInt(), size.section(QLatin1Char('x'), 1).toInt()), Qt::white);
        pic.Line(0, 0, 10, 10);
        // "-": no printer facility at all
        const double ratio = SetPreviewScale(in[1].startsWith(QLatin1Char('-')) ? nullptr : &printer, pic, report);
        QString out = QStringLiteral("ratio %1, %2 x %3, sheet %4,%5 %6 x %7, font %8, printer %9 %10")
                          .arg(golden::number(ratio)).arg(pic.designSize().width()).arg(pic.designSize().height())
                          .arg(golden::number(pic.ScaleLeft()), golden::number(pic.ScaleTop()), golden::number(pic.ScaleWidth()),
                               golden::number(pic.ScaleHeight()), golden::number(pic.FontSize()))
                          .arg(printer.orientation() == Printer::Orientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"),
                               printer.scaleMode() == Printer::ScaleMode::Twips ? QStringLiteral("twips") : QStringLiteral("inches"));
        out += pic.picture()->ops.empty() ? QStringLiteral(", erased") : QStringLiteral(", NOT ERASED");
        // A second preview keeps the size and the ratio.
        const QSize grown = pic.designSize();
        const double again = SetPreviewScale(&printer, pic, [](const QString&) {});
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
    void cases() { GOLDEN_VERIFY(golden::cases("report.txt", run)); }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
