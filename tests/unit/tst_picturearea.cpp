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

int count(const QImage& image, const QColor& colour, QRect region = {})
{
    region = region.isNull() ? image.rect() : region & image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

QRect ink(const QImage& image, const QColor& background = kBack)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                r |= QRect(x, y, 1, 1);
    return r;
}

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
        QCOMPARE(count(area.toImage(), kGreen), 50 * 50);
    }

    void rendering_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("designed") << QSize(100, 50);
        QTest::newRow("doubled") << QSize(200, 100);
        QTest::newRow("stretched") << QSize(300, 60);
    }
    // Linear at any size; solid, dotted and wide lines; points take the pen;
    // a circle's radius runs along x; a picture stretches into its rectangle.
    void rendering()
    {
        QFETCH(QSize, size);
        PictureArea area(QSize(100, 50), kBack);
        area.setScale(0, 50, 100, 0);
        area.Line(25, 0, 25, 50, kRed);      // a quarter across
        area.Line(0, 40, 100, 40, kGreen);   // four fifths up
        const QImage image = area.toImage(size);
        const int x = size.width() / 4, y = size.height() / 5;
        QVERIFY(image.pixelColor(x, size.height() / 2) == kRed || image.pixelColor(x - 1, size.height() / 2) == kRed);
        QVERIFY(image.pixelColor(2, y) == kGreen || image.pixelColor(2, y - 1) == kGreen);
        if (size != QSize(100, 50))
            return;

        PictureArea lines(QSize(100, 60), kBack);
        lines.Line(0, 10, 100, 10, kRed);
        lines.setDrawStyle(PictureArea::Dot);
        lines.Line(0, 30, 100, 30, kRed);
        lines.setDrawStyle(PictureArea::Solid);
        lines.setDrawWidth(3);
        lines.Line(0, 50, 100, 50, kGreen);
        lines.PSet(5, 5, kWhite);
        const QImage l = lines.toImage();
        QCOMPARE(count(l, kRed, QRect(0, 10, 100, 1)), 100);
        const int dots = count(l, kRed, QRect(0, 30, 100, 1));
        QVERIFY2(dots > 20 && dots < 70, qPrintable(QString::number(dots)));
        QCOMPARE(count(l, kGreen), 300);
        QCOMPARE(count(l, kWhite), 9);

        PictureArea round(QSize(200, 100), kBack);
        round.setScale(0, 0, 100, 100);      // x: 2 px a unit, y: 1 px a unit
        round.Circle(50, 50, 20, kRed);
        const QImage c = round.toImage();
        QVERIFY2(std::abs(ink(c).width() - 81) <= 2 && std::abs(ink(c).height() - 81) <= 2, qPrintable(QString::number(ink(c).width())));
        QCOMPARE(c.pixelColor(100, 50), kBack);   // outline only

        PictureArea page(QSize(200, 200), kWhite);
        page.setScale(0, 0, 10, 10);
        page.PaintPicture(lines.picture(), 2, 4, 6, 2);   // 120 x 40 pixels at (40, 80)
        const QImage p = page.toImage();
        QCOMPARE(ink(p, kWhite), QRect(40, 80, 120, 40));
    }

    // On a high-density device lines keep their apparent width on whole
    // device pixels; text is drawn at the device's resolution.
    void highDensityDevice()
    {
        PictureArea area(QSize(100, 50), kBack);
        area.Line(0, 20, 100, 20, kRed);
        area.setForeColor(kWhite);
        area.setCurrentX(10);
        area.setCurrentY(30);
        area.Print(QStringLiteral("8"));
        QImage image(200, 100, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        QPainter painter(&image);
        area.render(painter, QRectF(0, 0, 100, 50));
        painter.end();
        QCOMPARE(count(image, kRed, QRect(0, 38, 200, 6)), 2 * 200);
        // The text's top left corner at the current position (10, 30).
        const QRect digit = ink(image.copy(0, 50, 200, 50));
        QVERIFY2(digit.height() >= 14 && digit.left() >= 20 && digit.left() <= 26 && digit.top() >= 10 && digit.top() <= 16,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(digit.left()).arg(digit.top()).arg(digit.height())));
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
