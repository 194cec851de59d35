// Polar chart and sine view of a 360-row table, each against plain QPainter
// drawing the same lines, circles, dots and texts into an image of the same
// size. The measured side includes everything a Plot does: reading the table,
// the polar point solver, recording, and rendering the recording.
// And Plot with its spine figures (the fit, the panel's lines, the two
// planes) against Plot without them: what the analysis adds to a Plot.
#include "analysis/SpineText.h"
#include "charts/polar/PolarChart.h"
#include "charts/polar/SineView.h"
#include "platform/PictureArea.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

using namespace tarvex;

namespace {

constexpr double kGoal = 2.0;

void fillTable(DataTable& t)
{
    t.setRows(361);
    for (int i = 0; i < 360; ++i) {
        const double a = i * 3.14159265358979 / 180;
        t.setTextMatrix(i + 1, 0, NumberText(i));
        t.setTextMatrix(i + 1, 1, NumberText(std::round(300 * std::cos(2 * a) + 100 * std::sin(a)) / 10));
    }
}

// Median wall times of two calls, in microseconds, taken in alternation so
// that a busy machine weighs on both alike.
std::pair<double, double> medianMicros(const std::function<void()>& a, const std::function<void()>& b, int runs)
{
    a();   // warm caches and fonts
    b();
    std::vector<double> ta, tb;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        a();
        ta.push_back(timer.nsecsElapsed() / 1000.0);
        timer.restart();
        b();
        tb.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::nth_element(ta.begin(), ta.begin() + runs / 2, ta.end());
    std::nth_element(tb.begin(), tb.begin() + runs / 2, tb.end());
    return {ta[runs / 2], tb[runs / 2]};
}

// The same primitives in pixels, drawn with one painter and nothing else.
struct Plain {
    QSize size;
    QColor background;
    std::vector<DrawOp> ops;   // pixel coordinates
};

Plain toPixels(const PictureData& d)
{
    Plain p{d.designSize, d.background, {}};
    for (DrawOp op : d.ops) {
        op.a = QPointF(op.a.x() * p.size.width(), op.a.y() * p.size.height());
        op.b = QPointF(op.b.x() * p.size.width(), op.b.y() * p.size.height());
        op.radius *= p.size.width();
        p.ops.push_back(op);
    }
    return p;
}

void drawPlain(const Plain& p, QImage& img)
{
    img.fill(p.background);
    QPainter painter(&img);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(11);
    painter.setFont(font);
    const double ascent = QFontMetricsF(font, &img).ascent();
    for (const DrawOp& op : p.ops) {
        painter.setPen(QPen(op.color, op.width));
        switch (op.kind) {
        case DrawOp::Line:
            painter.drawLine(op.a, op.b);
            break;
        case DrawOp::Circle:
            painter.drawEllipse(op.a, op.radius, op.radius);
            break;
        case DrawOp::Point:
            painter.fillRect(QRectF(op.a.x() - op.width / 2.0, op.a.y() - op.width / 2.0, op.width, op.width),
                             op.color);
            break;
        case DrawOp::Text:
            painter.drawText(QPointF(op.a.x(), op.a.y() + ascent), op.text);
            break;
        default:
            break;
        }
    }
}

void report(const char* figure, double measured, double floor, double goal = kGoal)
{
    std::printf("BENCH %s %.1f %.1f %.2f\n", figure, measured, floor, goal);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DataTable table;
    fillTable(table);
    const int runs = 60;
    bool drawn = true;   // a chart that refused its table would time nothing worth a figure

    {
        PictureArea area(QSize(333, 333), QColor(0, 0, 64));
        drawn = DrawPolarChart(area, table, QStringLiteral("50"), false).ok() && drawn;
        const Plain plain = toPixels(*area.picture());
        QImage img(plain.size, QImage::Format_RGB32);
        QImage out;
        const auto [measured, floor] = medianMicros(
            [&] {
                area.Cls();
                drawn = DrawPolarChart(area, table, QStringLiteral("50"), false).ok() && drawn;
                out = area.toImage();
            },
            [&] { drawPlain(plain, img); }, runs);
        report("polar_plot_360_rows_us", measured, floor);
    }
    {
        PictureArea area(QSize(333, 333), QColor(0, 0, 64));
        QImage out;
        QStringList lines;
        const auto plot = [&] {
            area.Cls();
            drawn = DrawPolarChart(area, table, QStringLiteral("50"), false).ok() && drawn;
        };
        const auto [measured, floor] = medianMicros(
            [&] {
                plot();
                const SpineAnalysis spine = AnalyzeSpine(NumberRowsOf(table).points);
                lines = SpineFigureLines(spine, QStringLiteral("kg"));
                DrawSpinePlanes(area, spine.spineAngle, spine.nbpAngle, spine.spineSignificant);
                out = area.toImage();
            },
            [&] {
                plot();
                out = area.toImage();
            }, runs);
        report("polar_plot_with_spine_figures_us", measured, floor, 1.1);
    }
    {
        PictureArea area(QSize(615, 351), QColor(0, 0, 64));
        (void)DrawSineView(area, table, QStringLiteral("50"));   // a table the view draws whole
        const Plain plain = toPixels(*area.picture());
        QImage img(plain.size, QImage::Format_RGB32);
        QImage out;
        const auto [measured, floor] = medianMicros(
            [&] {
                (void)DrawSineView(area, table, QStringLiteral("50"));
                out = area.toImage();
            },
            [&] { drawPlain(plain, img); }, runs);
        report("sine_view_360_rows_us", measured, floor);
    }
    if (!drawn) {
        std::fprintf(stderr, "bench_polar: the chart was not drawn\n");
        return 1;
    }
    return 0;
}
