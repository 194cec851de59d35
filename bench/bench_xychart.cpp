// The X/Y chart's Plot, from the table check to the pixels of a 1920 x 1080
// image, against plain QPainter drawing the chart's line segments (the same
// colours, styles and anti-aliasing) into an image of the same size.
//
//   BENCH xychart_50_curves_of_13_points_1920x1080 <ms> <floor ms> 2
//   BENCH xychart_1_curve_of_32767_points_1920x1080 <ms> <floor ms> 2
//
// Twenty curves named, with the legend beside the plot, against QPainter
// drawing the same lines and polylines without the texts:
//
//   BENCH xychart_20_named_curves_with_legend_1920x1080 <ms> <floor ms> 2
//
// The EI view: the same 50 curves converted to EI, their zone figures worked
// out and the chart drawn, against drawing them as loads.
//
//   BENCH xychart_ei_view_of_50_curves_1920x1080 <ms> <load chart ms> 1.5

#include "charts/xy/ProfileViews.h"
#include "charts/xy/XYChart.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

using namespace tarvex;

namespace {

const QSize kImageSize(1920, 1080);
const QSize kDesignSize(499, 292);

// The quickest of several runs of each, in milliseconds, the two taken in
// turns so that both see the same load on the machine.
std::pair<double, double> timeBoth(const std::function<void()>& measured, const std::function<void()>& floor,
                                   int repeats)
{
    measured();   // warm caches (glyphs, allocations)
    floor();
    const auto once = [](const std::function<void()>& run) {
        QElapsedTimer t;
        t.start();
        run();
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    };
    double best = 1e300;
    double bestFloor = 1e300;
    for (int i = 0; i < repeats; ++i) {
        best = std::min(best, once(measured));
        bestFloor = std::min(bestFloor, once(floor));
    }
    return {best, bestFloor};
}

void fillTable(DataTable& table, int points, double phase)
{
    table.setRows(points + 1);
    for (int i = 1; i <= points; ++i) {
        table.setTextMatrix(i, 0, QString::number(i * 2.5));
        table.setTextMatrix(i, 1, QString::number(50 + 30 * std::sin(i * 0.37 + phase) + (i % 7), 'f', 2));
    }
}

struct Segment {
    QLineF line;
    QColor colour;
    Qt::PenStyle style;
};

// The line segments of a drawn chart, in pixels of the image.
std::vector<Segment> segmentsOf(const PictureData& picture)
{
    std::vector<Segment> out;
    for (const DrawOp& op : picture.ops) {
        if (op.kind == DrawOp::Polyline) {
            for (qsizetype j = 1; j < op.points.size(); ++j) {
                const QPointF a(op.points[j - 1].x() * kImageSize.width(), op.points[j - 1].y() * kImageSize.height());
                const QPointF b(op.points[j].x() * kImageSize.width(), op.points[j].y() * kImageSize.height());
                out.push_back({QLineF(a, b), op.color, op.style});
            }
            continue;
        }
        if (op.kind != DrawOp::Line)
            continue;
        QPointF a(op.a.x() * kImageSize.width(), op.a.y() * kImageSize.height());
        QPointF b(op.b.x() * kImageSize.width(), op.b.y() * kImageSize.height());
        // Grid lines on pixel centres, as any careful drawing puts them.
        if (a.x() == b.x())
            a.rx() = b.rx() = std::floor(a.x()) + 0.5;
        else if (a.y() == b.y())
            a.ry() = b.ry() = std::floor(a.y()) + 0.5;
        out.push_back({QLineF(a, b), op.color, op.style});
    }
    return out;
}

void drawPlain(const std::vector<Segment>& segments, const QColor& background)
{
    QImage image(kImageSize, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A clip to the image is QPainter's quickest way with many short
    // anti-aliased lines (the chart's renderer clips to its area too).
    p.setClipRect(QRectF(QPointF(0, 0), QSizeF(kImageSize)));
    QColor colour;
    Qt::PenStyle style = Qt::NoPen;
    for (const Segment& s : segments) {
        if (s.colour != colour || s.style != style) {
            QPen pen(s.colour, 1, s.style, Qt::FlatCap);
            pen.setCosmetic(true);
            p.setPen(pen);
            colour = s.colour;
            style = s.style;
        }
        p.drawLine(s.line);
    }
}

void report(const char* figure, double measured, double floor, const char* goal = "2")
{
    std::printf("BENCH %s %.4f %.4f %s\n", figure, measured, floor, goal);
    std::fflush(stdout);
}

void benchManyCurves()
{
    DataTable table(2);
    XYChartState chart;
    XYCurveList& curves = chart.curves;
    bool& plotted = chart.plotted;
    PictureArea area(kDesignSize, QColor(0, 0, 64));
    for (int c = 0; c < 49; ++c) {
        fillTable(table, 13, c * 0.2);
        plotted = false;
        DrawXYChart(area, table, chart, false, {});
    }
    fillTable(table, 13, 49 * 0.2);
    const auto run = [&] {
        // The 50th curve is stored and all 50 drawn on every run.
        if (curves.size() == 50)
            curves.pop_back();
        plotted = false;
        DrawXYChart(area, table, chart, false, {});
        const QImage image = area.toImage(kImageSize);
        (void)image;
    };
    run();
    const std::vector<Segment> segments = segmentsOf(*area.picture());
    const auto [measured, floor] = timeBoth(run, [&] { drawPlain(segments, area.BackColor()); }, 30);
    report("xychart_50_curves_of_13_points_1920x1080", measured, floor);
}

void benchOneLongCurve()
{
    DataTable table(2);
    fillTable(table, 32767, 0);
    XYChartState chart;
    bool& stored = chart.curvesStored;
    bool& plotted = chart.plotted;
    PictureArea area(kDesignSize, QColor(0, 0, 64));
    const auto run = [&] {
        stored = false;
        plotted = false;
        DrawXYChart(area, table, chart, false, {});
        const QImage image = area.toImage(kImageSize);
        (void)image;
    };
    run();
    const std::vector<Segment> segments = segmentsOf(*area.picture());
    const auto [measured, floor] = timeBoth(run, [&] { drawPlain(segments, area.BackColor()); }, 10);
    report("xychart_1_curve_of_32767_points_1920x1080", measured, floor);
}

struct Stroke {
    QPolygonF points;
    QColor colour;
    Qt::PenStyle style;
};

// Every line and polyline of a drawn chart, in pixels of the image: what a
// program drawing the same curves straight with QPainter would draw.
std::vector<Stroke> strokesOf(const PictureData& picture)
{
    std::vector<Stroke> out;
    for (const DrawOp& op : picture.ops) {
        QPolygonF points;
        if (op.kind == DrawOp::Line)
            points << op.a << op.b;
        else if (op.kind == DrawOp::Polyline)
            points = op.points;
        else
            continue;
        for (QPointF& p : points)
            p = QPointF(p.x() * kImageSize.width(), p.y() * kImageSize.height());
        out.push_back({points, op.color, op.style});
    }
    return out;
}

void drawStrokes(const std::vector<Stroke>& strokes, const QColor& background)
{
    QImage image(kImageSize, QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRectF(QPointF(0, 0), QSizeF(kImageSize)));
    for (const Stroke& s : strokes) {
        QPen pen(s.colour, 1, s.style, Qt::FlatCap);
        pen.setCosmetic(true);
        p.setPen(pen);
        p.drawPolyline(s.points);
    }
}

// Twenty named curves with their legend, against QPainter drawing the same
// polylines and lines (grid, curves, the legend's samples) with no text.
void benchNamedCurves()
{
    DataTable table(2);
    XYChartState chart;
    PictureArea area(kDesignSize, QColor(0, 0, 64));
    for (int c = 0; c < 20; ++c) {
        fillTable(table, 13, c * 0.3);
        chart.plotted = false;
        DrawXYChart(area, table, chart, false, {}, QLocale::system(), QStringLiteral("shaft %1 of the set.tvl").arg(c + 1));
    }
    const auto run = [&] {
        DrawStoredCurves(area, chart.curves, false, xychart::kScreenLabelColor);
        const QImage image = area.toImage(kImageSize);
        (void)image;
    };
    run();
    const std::vector<Stroke> strokes = strokesOf(*area.picture());
    const auto [measured, floor] = timeBoth(run, [&] { drawStrokes(strokes, area.BackColor()); }, 30);
    report("xychart_20_named_curves_with_legend_1920x1080", measured, floor);
}

void benchEiView()
{
    DataTable table(2);
    XYChartState chart;
    PictureArea area(kDesignSize, QColor(0, 0, 64));
    for (int c = 0; c < 50; ++c) {
        fillTable(table, 13, c * 0.2);
        chart.plotted = false;
        DrawXYChart(area, table, chart, false, {});
    }
    GeometrySettings bench;
    bench.span = 15;
    bench.deflection = 0.1;
    const auto ei = [&] {
        const CurvesView view = EiView(chart.curves, bench, QStringLiteral("lbf"));
        DrawCurves(area, view.curves, view.numbers, view.heading, false, xychart::kScreenLabelColor);
        const QImage image = area.toImage(kImageSize);
        (void)image;
    };
    const auto load = [&] {
        DrawStoredCurves(area, chart.curves, false, xychart::kScreenLabelColor);
        const QImage image = area.toImage(kImageSize);
        (void)image;
    };
    const auto [measured, floor] = timeBoth(ei, load, 30);
    report("xychart_ei_view_of_50_curves_1920x1080", measured, floor, "1.5");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchManyCurves();
    benchOneLongCurve();
    benchEiView();
    benchNamedCurves();
    return 0;
}
