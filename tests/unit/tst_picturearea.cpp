// The picture record: what the drawing calls record (a display list under
// tests/golden/charts/), and how the record renders at any size, on a
// high-density device and in the widget that shows it.
#include "Golden.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"

#include <QPainter>
#include <QtTest>

using namespace tarvex;

namespace {

const QColor kBack(0, 0, 64), kRed(255, 0, 0), kGreen(0, 255, 0), kWhite(255, 255, 255);

} // namespace

class TestPictureArea : public QObject {
    Q_OBJECT
private slots:
    // Every call, its colour, pen and font, and where it leaves the current
    // position (each dot marks it).
    void recording()
    {
        PictureArea area(QSize(200, 100), kBack);
        area.setScale(-100, 50, 100, -50);   // (0, 0) the centre, y up
        QStringList positions;
        const auto mark = [&] { positions << golden::number(area.CurrentX()) + QLatin1Char(',') + golden::number(area.CurrentY()); };
        area.setForeColor(kGreen);
        area.PSet(10, 20); mark();
        area.LineTo(30, 40); mark();
        area.Line(-50, -40, 70, 45, kRed); mark();
        area.setDrawStyle(PictureArea::Dot);
        area.setDrawWidth(3);
        area.Circle(5, 5, 3); mark();
        area.LineTo(30, 40, kWhite); mark();
        area.setDrawStyle(PictureArea::Solid);
        area.setDrawWidth(0);
        area.Box(10, 15, 60, 45); mark();
        area.setFontName(QStringLiteral("Courier New"));
        area.setFontSize(12);
        area.setFontBold(true);
        area.setCurrentX(-40);
        area.setCurrentY(20);
        area.Print(QStringLiteral("one"));   // where the next line starts depends on the font: not recorded here
        PictureArea small(QSize(40, 20), kRed);
        small.Line(0, 10, 40, 10, kGreen);
        area.PaintPicture(small.picture(), -90, 40, 60, -20);
        GOLDEN_VERIFY(golden::compare(QStringLiteral("charts/picturearea.txt"),
                                      (golden::displayList(area) + positions.join(QLatin1Char(' ')) + QLatin1Char('\n')).toUtf8()));
        QCOMPARE(area.DrawWidth(), 1);
    }

    void printedLinesAreOneTextHeightApart()
    {
        PictureArea area(QSize(200, 100), kBack);
        area.setCurrentY(10);
        const double line = area.TextHeight();
        area.Print(QStringLiteral("one\r\ntwo\nthree"));
        QCOMPARE(area.CurrentY(), 10 + 3 * line);
        QCOMPARE(area.CurrentX(), 0.0);
        area.setScale(-100, 50, 100, -50);
        QVERIFY(area.TextHeight() < 0);   // y grows upwards
        const double small = area.TextHeight();
        area.setFontSize(16.5);
        QVERIFY(area.TextHeight() < 1.7 * small && area.TextWidth(QStringLiteral("0000")) > 0);
        // Widths belong to the font they were measured in.
        area.setFontName(QStringLiteral("Liberation Mono"));
        const double mono = area.TextWidth(QStringLiteral("iiii"));
        area.setFontName(QStringLiteral("Liberation Sans"));
        QVERIFY(area.TextWidth(QStringLiteral("iiii")) < mono);
    }

    // A snapshot keeps what it had; a new background colour erases.
    void snapshotsAndErasing()
    {
        PictureArea area(QSize(50, 50), kWhite);
        area.Line(0, 10, 50, 10, kRed);
        const Picture before = area.picture();
        area.setBackColor(kGreen);
        QCOMPARE(before->ops.size(), std::size_t(1));
        QCOMPARE(before->background, kWhite);
        QVERIFY(area.picture()->ops.empty());
        QImage green(50, 50, QImage::Format_RGB32);
        green.fill(kGreen);
        QCOMPARE(area.toImage().convertToFormat(QImage::Format_RGB32), green);
    }

    // Rendered at any size: linear; solid, dotted and wide lines; points take
    // the pen; a circle's radius runs along x; a picture stretches into its
    // rectangle; on a high-density device lines keep their apparent width on
    // whole device pixels and text is drawn at the device's resolution.
    // After a deliberate change, look at the images in tests/golden/images/.
    void rendering()
    {
        PictureArea area(QSize(100, 50), kBack);
        area.setScale(0, 50, 100, 0);
        area.Line(25, 0, 25, 50, kRed);      // a quarter across
        area.Line(0, 40, 100, 40, kGreen);   // four fifths up
        for (const QSize size : {QSize(100, 50), QSize(200, 100), QSize(300, 60)})
            GOLDEN_VERIFY(golden::image(QStringLiteral("images/area_%1x%2.png").arg(size.width()).arg(size.height()), area.toImage(size)));

        PictureArea lines(QSize(100, 60), kBack);
        lines.Line(0, 10, 100, 10, kRed);
        lines.setDrawStyle(PictureArea::Dot);
        lines.Line(0, 30, 100, 30, kRed);
        lines.setDrawStyle(PictureArea::Solid);
        lines.setDrawWidth(3);
        lines.Line(0, 50, 100, 50, kGreen);
        lines.PSet(5, 5, kWhite);
        GOLDEN_VERIFY(golden::image(QStringLiteral("images/lines.png"), lines.toImage()));

        PictureArea round(QSize(200, 100), kBack);
        round.setScale(0, 0, 100, 100);      // x: 2 px a unit, y: 1 px a unit
        round.Circle(50, 50, 20, kRed);
        round.setScale(0, 0, 10, 10);
        round.PaintPicture(lines.picture(), 1, 6, 3, 2);
        GOLDEN_VERIFY(golden::image(QStringLiteral("images/circle_and_picture.png"), round.toImage()));

        area.setForeColor(kWhite);
        area.setScale(0, 0, 100, 50);
        area.setCurrentX(10);
        area.setCurrentY(30);
        area.Print(QStringLiteral("8"));
        QImage dense(200, 100, QImage::Format_RGB32);
        dense.setDevicePixelRatio(2);
        QPainter painter(&dense);
        area.render(painter, QRectF(0, 0, 100, 50));
        painter.end();
        GOLDEN_VERIFY(golden::image(QStringLiteral("images/high_density.png"), dense));
    }

    // On screen text follows the drawing's size within readable limits.
    void widgetFontScale()
    {
        PictureArea area(QSize(200, 100), kBack);
        PictureAreaWidget view(&area);
        QStringList scales;
        for (const QSize size : {QSize(200, 100), QSize(400, 100), QSize(400, 200), QSize(1800, 900), QSize(180, 90), QSize(100, 50)}) {
            view.resize(size);
            scales << QString::number(view.fontScale());
        }
        QCOMPARE(scales.join(QLatin1Char(' ')), QStringLiteral("1 1 2 2 0.9 0.75"));
    }
};

QTEST_MAIN(TestPictureArea)
#include "tst_picturearea.moc"
