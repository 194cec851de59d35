#include "charts/polar/SineView.h"

#include "analysis/SpineAnalysis.h"
#include "platform/PictureArea.h"
#include "platform/Twips.h"
#include "tables/DataTable.h"
#include "numbers/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvex {

namespace {

// Height of a load: +S on the top grid line, -S on the bottom one. Empty when
// the division or the result is out of range (a scale range of 0 included).
std::optional<double> loadHeight(const QString& loadText, double range, double centre)
{
    if (range == 0.0)
        return std::nullopt;
    const double y = ((LeadingUserNumber(loadText) - centre) / range) * 500.0;
    if (!std::isfinite(y))
        return std::nullopt;
    return y;
}

} // namespace

std::optional<int> SineColumnStep(int rows)
{
    if (rows <= 2)
        return std::nullopt;
    const float xs = 10000.0f / static_cast<float>(rows - 2);
    return static_cast<int>(RoundHalfEven(static_cast<double>(xs)));
}

QString SineScaleLabel(double value)
{
    const QString text = UserNumberText(value);
    return (value >= 0 ? QStringLiteral(" ") : QString()) + text + QStringLiteral(" ");
}

Result<> DrawSineView(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText, double centre)
{
    using namespace sine_colors;
    const auto stopped = [] { return Failure(QCoreApplication::translate("Chart", kSineViewFailure)); };
    PictureArea& d = SineDrawing;
    d.Cls();
    d.setForeColor(kFore);
    d.setScale(-700, 550, 10500, -650);

    const double range = LeadingNumber(rangeText);
    const double fifth = range / 5.0;
    if (!std::isfinite(fifth) || std::fabs(fifth) > std::numeric_limits<float>::max())
        return stopped();
    const float g = static_cast<float>(fifth);

    for (int y = -500; y <= 500; y += 100) {
        d.Line(0, y, 10000, y, kGrid);
        d.setCurrentX(-650);
        d.setCurrentY(y + 30);
        d.Print(SineScaleLabel(centre == 0.0 ? (y / 100.0) * static_cast<double>(g)
                                              : RoundHalfEven(centre + y / 500.0 * range, 9)));
    }

    const std::optional<int> step = SineColumnStep(table.Rows());
    if (!step)
        return stopped();
    const int st = *step;
    // A step of 0 never advances; the label of the first column without a
    // row still ends the loop.
    int k = 1;
    for (int x = 0; x <= 10000; x += st) {
        d.Line(x, -500, x, 500, kGrid);
        if (k >= table.Rows())
            return stopped();
        d.setCurrentX(x - 200);
        d.setCurrentY(-550);
        d.Print(table.TextMatrix(k, 0));
        ++k;
    }

    d.Line(0, 0, 10000, 0);
    d.setDrawWidth(2);
    const std::optional<double> first = loadHeight(table.TextMatrix(1, 1), range, centre);
    if (!first)
        return stopped();
    d.PSet(0, *first);
    d.setForeColor(kCurve);
    k = 2;
    for (int x = st; x <= 10000; x += st) {
        if (k >= table.Rows())
            return stopped();
        const std::optional<double> y = loadHeight(table.TextMatrix(k, 1), range, centre);
        if (!y)
            return stopped();
        d.LineTo(x, *y);
        ++k;
    }
    d.setDrawWidth(1);
    return {};
}

std::optional<SineZoom> ZoomedSineScale(const DataTable& table, const SpineAnalysis& analysis)
{
    if (!analysis.ok())
        return std::nullopt;
    const StrictNumberReader reader;
    double half = 0.0;
    for (int r = 1; r < table.Rows(); ++r) {
        const std::optional<double> angle = reader.toDouble(table.TextMatrix(r, 0));
        const std::optional<double> load = reader.toDouble(table.TextMatrix(r, 1));
        if (angle && load)
            half = std::max({half, std::fabs(*load - analysis.mean),
                             std::fabs(SpineFitAt(analysis, *angle).load - analysis.mean)});
    }
    return RoundedScale(analysis.mean, half);
}

std::optional<SineZoom> RoundedScale(double mean, double half)
{
    // A quarter to spare; a table of one load all round still gets a scale.
    const double wanted = std::max(half * 1.25, std::fabs(mean) * 1e-6);
    if (!std::isfinite(wanted) || wanted <= 0.0)
        return std::nullopt;
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    double range = 10.0 * decade;
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * decade >= wanted) {
            range = m * decade;
            break;
        }
    }
    // Rounding the centre moves it by at most a tenth of the range, which
    // the quarter to spare covers.
    const double fifth = range / 5.0;
    return SineZoom{std::round(mean / fifth) * fifth, range};
}

void DrawSineFit(PictureArea& SineDrawing, const DataTable& table, const QString& rangeText,
                 const SpineAnalysis& analysis, bool parts, double centre)
{
    using namespace sine_colors;
    const double range = LeadingNumber(rangeText);
    const std::optional<int> step = SineColumnStep(table.Rows());
    if (!analysis.ok() || !step || range == 0.0 || !std::isfinite(range))
        return;
    const StrictNumberReader reader;
    struct Part {
        QColor color;
        Qt::PenStyle style;
        double (*load)(const SpineAnalysis&, const SpineFit&);
    };
    std::vector<Part> drawn{{kFit, Qt::SolidLine, [](const SpineAnalysis&, const SpineFit& f) { return f.load; }}};
    if (parts) {
        drawn.push_back({kOnce, Qt::DotLine, [](const SpineAnalysis& a, const SpineFit& f) { return a.mean + f.once; }});
        drawn.push_back({kTwice, Qt::DotLine, [](const SpineAnalysis& a, const SpineFit& f) { return a.mean + f.twice; }});
    }
    // Enough pieces per column that a twice-per-turn wave between two rows
    // 45 degrees apart still looks round.
    constexpr int kPieces = 8;
    PictureArea& d = SineDrawing;
    for (const Part& part : drawn) {
        d.setDrawStyle(part.style == Qt::DotLine ? PictureArea::Dot : PictureArea::Solid);
        for (int k = 1; k + 1 < table.Rows() && (k - 1) * *step < 10000; ++k) {
            const std::optional<double> from = reader.toDouble(table.TextMatrix(k, 0));
            std::optional<double> to = reader.toDouble(table.TextMatrix(k + 1, 0));
            if (!from || !to)
                continue;
            // A table that carries on past a full turn counts on from 360.
            if (*to < *from)
                *to += 360.0;
            const double x0 = (k - 1) * *step;
            for (int i = 0; i <= kPieces; ++i) {
                const double t = *from + (*to - *from) * i / kPieces;
                const double y = (part.load(analysis, SpineFitAt(analysis, t)) - centre) / range * 500.0;
                const double x = x0 + double(*step) * i / kPieces;
                if (!std::isfinite(y))
                    break;
                if (i == 0) {
                    d.setCurrentX(x);
                    d.setCurrentY(y);
                } else {
                    d.LineTo(x, y, part.color);
                }
            }
        }
    }
    d.setDrawStyle(PictureArea::Solid);
}

} // namespace tarvex

namespace tarvex {

Picture SineViewForReport(const DataTable& table, const QString& rangeText, const SpineAnalysis& analysis)
{
    PictureArea area(QSize(TwipsToPixels(9225), TwipsToPixels(5265)), QColor(0, 0, 64));
    bool drawn = false;
    if (const std::optional<SineZoom> zoom = ZoomedSineScale(table, analysis)) {
        const QString range = QString::number(zoom->range, 'g', 17);
        drawn = DrawSineView(area, table, range, zoom->centre).ok();
        DrawSineFit(area, table, range, analysis, false, zoom->centre);
    } else {
        drawn = DrawSineView(area, table, rangeText).ok();
        DrawSineFit(area, table, rangeText, analysis, false);
    }
    return drawn ? area.picture() : Picture();
}

} // namespace tarvex
