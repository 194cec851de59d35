#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"

#include <QPainter>
#include <QtTest>

using namespace tarvex;

namespace {

const QColor kBack(0, 0, 64);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kWhite(255, 255, 255);

int countColour(const QImage& image, const QColor& colour, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    region &= image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                ++n;
    return n;
}

// Everything that is not the background, inside `region`.
QRect inkBounds(const QImage& image, const QColor& background)
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
    // Edge coordinates left -1000, top 1000, right 1000, bottom -1000: y grows
    // upwards and (0, 0) is the centre.
    void userScale_centreAndUp()
    {
        PictureArea area(QSize(201, 201), kBack);
        area.setScale(-1000, 1000, 1000, -1000);
        QCOMPARE(area.ScaleLeft(), -1000.0);
        QCOMPARE(area.ScaleTop(), 1000.0);
        QCOMPARE(area.ScaleWidth(), 2000.0);
        QCOMPARE(area.ScaleHeight(), -2000.0);
        area.PSet(0, 0, kRed);
        area.PSet(0, 900, kGreen);
        const QImage image = area.toImage();
        QCOMPARE(image.pixelColor(100, 100), kRed);
        QCOMPARE(image.pixelColor(100, 10), kGreen);
        QCOMPARE(countColour(image, kRed), 1);
        QCOMPARE(countColour(image, kGreen), 1);
    }

    void userScale_mapsLinearlyAtAnySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("designed") << QSize(100, 50);
        QTest::newRow("doubled") << QSize(200, 100);
        QTest::newRow("stretched") << QSize(300, 60);
    }
    void userScale_mapsLinearlyAtAnySize()
    {
        QFETCH(QSize, size);
        PictureArea area(QSize(100, 50), kBack);
        area.setScale(0, 10, 100, 0);
        area.Line(25, 0, 25, 10, kRed);       // a quarter across
        area.Line(0, 5, 100, 5, kGreen);      // half way up
        const QImage image = area.toImage(size);
        const int x = size.width() / 4;
        const int y = size.height() / 2;
        QVERIFY(image.pixelColor(x, 2) == kRed || image.pixelColor(x - 1, 2) == kRed);
        QVERIFY(image.pixelColor(2, y) == kGreen || image.pixelColor(2, y - 1) == kGreen);
    }

    void currentPosition_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QPointF>("position");
        QTest::newRow("point") << "pset" << QPointF(10, 20);
        QTest::newRow("point then line to") << "pset lineto" << QPointF(30, 40);
        QTest::newRow("line") << "line" << QPointF(70, 80);
        QTest::newRow("circle") << "lineto circle" << QPointF(5, 5);
        QTest::newRow("box") << "box" << QPointF(60, 65);
        QTest::newRow("circle then line to") << "circle lineto" << QPointF(30, 40);
    }
    void currentPosition()
    {
        QFETCH(QString, operations);
        QFETCH(QPointF, position);
        PictureArea area(QSize(100, 100), kBack);
        area.setScale(0, 100, 100, 0);
        for (const QString& op : operations.split(QLatin1Char(' '))) {
            if (op == QLatin1String("pset"))
                area.PSet(10, 20);
            else if (op == QLatin1String("lineto"))
                area.LineTo(30, 40);
            else if (op == QLatin1String("line"))
                area.Line(50, 60, 70, 80);
            else if (op == QLatin1String("circle"))
                area.Circle(5, 5, 3);
            else if (op == QLatin1String("box"))
                area.Box(10, 15, 60, 65);
        }
        QCOMPARE(QPointF(area.CurrentX(), area.CurrentY()), position);
    }

    // Print puts the text's top-left corner at the current position, then
    // returns to the left edge one line further down (down is -y here).
    void print_movesDownOneLine()
    {
        PictureArea area(QSize(200, 100), kBack);
        area.setScale(-100, 50, 100, -50);
        area.setForeColor(kWhite);
        area.setCurrentX(0);
        area.setCurrentY(0);
        const double line = area.TextHeight();
        QVERIFY(line < 0);   // y grows upwards
        area.Print(QStringLiteral("Hg"));
        QCOMPARE(area.CurrentX(), -100.0);
        QCOMPARE(area.CurrentY(), line);
        const QRect ink = inkBounds(area.toImage(), kBack);
        QVERIFY2(ink.left() >= 100 && ink.left() <= 102, qPrintable(QString::number(ink.left())));
        QVERIFY(ink.top() >= 50 && ink.top() <= 53);
        QVERIFY(ink.bottom() <= 50 + std::lround(std::fabs(line)));
        const QImage image = area.toImage();
        int bright = 0;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x)
                bright += image.pixelColor(x, y).red() > 200 ? 1 : 0;
        QVERIFY(bright > 10);
    }

    void print_lineBreaksStackLines()
    {
        PictureArea area(QSize(200, 100), kBack);
        area.setCurrentX(40);
        area.setCurrentY(10);
        const double line = area.TextHeight();
        area.Print(QStringLiteral("one\r\ntwo\nthree"));
        QCOMPARE(area.CurrentY(), 10 + 3 * line);
        QCOMPARE(area.CurrentX(), 0.0);
        const auto& ops = area.picture()->ops;
        QCOMPARE(ops.size(), std::size_t(3));
        QCOMPARE(ops[2].text, QStringLiteral("three"));
        QCOMPARE(ops[2].a.x(), 40.0 / 200);
    }

    void text_metricsFollowTheFont()
    {
        PictureArea area(QSize(400, 300), kBack);
        const double small = area.TextHeight();
        const double narrow = area.TextWidth(QStringLiteral("0000"));
        area.setFontSize(16.5);
        QVERIFY(area.TextHeight() > 1.7 * small);
        QVERIFY(area.TextWidth(QStringLiteral("0000")) > 1.7 * narrow);
        area.setScale(0, 0, 800, 600);   // two units a pixel
        QVERIFY(std::fabs(area.TextHeight() / small - 4.0) < 0.5);
    }

    void backColor_erases()
    {
        PictureArea area(QSize(50, 50), kBack);
        area.Line(0, 0, 50, 50, kRed);
        area.Print(QStringLiteral("x"));
        area.setBackColor(kGreen);
        QVERIFY(area.picture()->ops.empty());
        QCOMPARE(area.BackColor(), kGreen);
        const QImage image = area.toImage();
        QCOMPARE(countColour(image, kGreen), 50 * 50);
    }

    // The persistent image: a picture taken keeps what it had.
    void picture_isASnapshot()
    {
        PictureArea area(QSize(50, 50), QColor(255, 255, 255));
        area.Line(0, 10, 50, 10, kRed);
        const Picture before = area.picture();
        area.Line(0, 30, 50, 30, kGreen);
        area.setBackColor(kBack);
        QCOMPARE(before->ops.size(), std::size_t(1));
        QCOMPARE(before->background, QColor(255, 255, 255));
        QCOMPARE(area.picture()->ops.size(), std::size_t(0));
    }

    void paintPicture_stretchesIntoRectangle()
    {
        PictureArea source(QSize(40, 20), kRed);
        source.Line(0, 10, 40, 10, kGreen);
        PictureArea page(QSize(200, 200), kWhite);
        page.setScale(0, 0, 10, 10);
        page.PaintPicture(source.picture(), 2, 4, 6, 2);   // 120 x 40 pixels at (40, 80)
        const QImage image = page.toImage();
        QCOMPARE(image.pixelColor(41, 81), kRed);
        QCOMPARE(image.pixelColor(158, 118), kRed);
        QCOMPARE(image.pixelColor(39, 100), kWhite);
        QCOMPARE(image.pixelColor(161, 100), kWhite);
        QCOMPARE(image.pixelColor(100, 79), kWhite);
        QCOMPARE(image.pixelColor(100, 121), kWhite);
        QVERIFY(countColour(image, kGreen, QRect(40, 98, 120, 4)) >= 118);
    }

    void lines_solidDottedAndWide()
    {
        PictureArea area(QSize(100, 60), kBack);
        area.Line(0, 10, 100, 10, kRed);
        area.setDrawStyle(PictureArea::Dot);
        area.Line(0, 30, 100, 30, kRed);
        area.setDrawStyle(PictureArea::Solid);
        area.setDrawWidth(3);
        area.Line(0, 50, 100, 50, kGreen);
        const QImage image = area.toImage();
        QCOMPARE(countColour(image, kRed, QRect(0, 10, 100, 1)), 100);
        const int dots = countColour(image, kRed, QRect(0, 30, 100, 1));
        QVERIFY2(dots > 20 && dots < 70, qPrintable(QString::number(dots)));
        QCOMPARE(countColour(image, kGreen, QRect(0, 49, 100, 3)), 300);
        QCOMPARE(countColour(image, kGreen), 300);
        area.setDrawWidth(0);
        QCOMPARE(area.DrawWidth(), 1);
    }

    void point_takesPenWidth()
    {
        PictureArea area(QSize(20, 20), kBack);
        area.setForeColor(kRed);
        area.PSet(5, 5);
        area.setDrawWidth(3);
        area.PSet(15, 15);
        const QImage image = area.toImage();
        QCOMPARE(countColour(image, kRed), 1 + 9);
        QCOMPARE(image.pixelColor(5, 5), kRed);
        QCOMPARE(image.pixelColor(14, 14), kRed);
        QCOMPARE(image.pixelColor(16, 16), kRed);
    }

    // The radius is measured along x, so a circle stays round whatever the
    // scale's aspect ratio.
    void circle_radiusAlongX()
    {
        PictureArea area(QSize(200, 100), kBack);
        area.setScale(0, 0, 100, 100);   // x: 2 px a unit, y: 1 px a unit
        area.Circle(50, 50, 20, kRed);
        const QImage image = area.toImage();
        const QRect ink = inkBounds(image, kBack);
        QVERIFY2(std::abs(ink.width() - 81) <= 2, qPrintable(QString::number(ink.width())));
        QVERIFY2(std::abs(ink.height() - 81) <= 2, qPrintable(QString::number(ink.height())));
        QCOMPARE(image.pixelColor(100, 50), kBack);   // outline only
    }

    void foreColour_andOwnColour()
    {
        PictureArea area(QSize(50, 50), kBack);
        area.setForeColor(kGreen);
        area.Line(0, 10, 50, 10);
        area.Line(0, 20, 50, 20, kRed);
        area.Box(30, 30, 45, 45);
        const QImage image = area.toImage();
        QCOMPARE(image.pixelColor(25, 10), kGreen);
        QCOMPARE(image.pixelColor(25, 20), kRed);
        QCOMPARE(image.pixelColor(30, 38), kGreen);
        QCOMPARE(image.pixelColor(38, 38), kBack);
    }

    // On a high-density device lines keep their apparent width and stay on
    // whole device pixels; the text is drawn at the device's resolution.
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
        QCOMPARE(countColour(image, kRed, QRect(0, 38, 200, 6)), 2 * 200);
        const QRect digit = inkBounds(image.copy(0, 50, 200, 50), kBack);
        QVERIFY2(digit.height() >= 14, qPrintable(QString::number(digit.height())));
    }

    // On screen text follows the drawing's size within readable limits.
    void widget_fontScale_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("scale");
        QTest::newRow("designed") << QSize(200, 100) << 1.0;
        QTest::newRow("wider only") << QSize(400, 100) << 1.0;
        QTest::newRow("doubled") << QSize(400, 200) << 2.0;
        QTest::newRow("full screen") << QSize(1800, 900) << 2.0;
        QTest::newRow("a little smaller") << QSize(180, 90) << 0.9;
        QTest::newRow("half") << QSize(100, 50) << 0.75;
    }
    void widget_fontScale()
    {
        QFETCH(QSize, size);
        PictureArea area(QSize(200, 100), kBack);
        PictureAreaWidget view(&area);
        view.resize(size);
        QTEST(view.fontScale(), "scale");
    }
};

QTEST_MAIN(TestPictureArea)
#include "tst_picturearea.moc"
