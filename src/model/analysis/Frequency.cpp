#include "analysis/Frequency.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tarvex {

namespace {

double metresPer(LengthUnit unit)
{
    return unit == LengthUnit::Inch ? kMetresPerInch : 0.001;
}

QString lengthText(double v, LengthUnit unit)
{
    return QString::number(v, 'g', 4) + QLatin1Char(' ') + LengthUnitText(unit);
}

// EI over the raw shaft's positions: straight between rows, held beyond the
// end rows. Rows at one position (a shaft measured twice there) count as
// their mean, so the curve stays a function.
class EiProfile {
public:
    void add(double x, double y) { rows_.push_back({x, y}); }
    void finish()
    {
        std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.x < b.x; });
        std::vector<Row> merged;
        for (std::size_t i = 0; i < rows_.size();) {
            std::size_t j = i;
            double sum = 0.0;
            while (j < rows_.size() && rows_[j].x == rows_[i].x)
                sum += rows_[j++].y;
            merged.push_back({rows_[i].x, sum / static_cast<double>(j - i)});
            i = j;
        }
        rows_ = std::move(merged);
    }
    double first() const { return rows_.front().x; }
    double last() const { return rows_.back().x; }
    double at(double x) const
    {
        if (x <= rows_.front().x)
            return rows_.front().y;
        if (x >= rows_.back().x)
            return rows_.back().y;
        const auto upper = std::upper_bound(rows_.begin(), rows_.end(), x, [](double v, const Row& r) { return v < r.x; });
        const Row& lo = *(upper - 1);
        return lo.y + (upper->y - lo.y) * (x - lo.x) / (upper->x - lo.x);
    }
    std::vector<double> positions() const
    {
        std::vector<double> p;
        for (const Row& r : rows_)
            p.push_back(r.x);
        return p;
    }

private:
    struct Row {
        double x;
        double y;
    };
    std::vector<Row> rows_;
};

// A stretch of the shaft in SI units, s measured from its tip end; the raw
// shaft's position of s is s + shift.
struct Stretch {
    const EiProfile* ei = nullptr;
    double shift = 0.0;
    double length = 0.0;
    double massAt0 = 0.0;       // kg/m at the raw tip, and its change per metre
    double massSlope = 0.0;
    double stiffness(double s) const { return ei->at(s + shift); }
    double mass(double s) const { return massAt0 + massSlope * (s + shift); }
};

// Where EI bends: the rows within the stretch, from its tip end.
std::vector<double> kinksOf(const Stretch& st)
{
    std::vector<double> kinks;
    for (const double x : st.ei->positions())
        if (x - st.shift > 0 && x - st.shift < st.length)
            kinks.push_back(x - st.shift);
    return kinks;
}

// Elements of one length: rows are not made nodes, since a row just past a
// trim would make an element so short its stiffness swamps the others in
// rounding. The quadrature cuts an element at the rows instead.
std::vector<double> meshOf(const Stretch& st, int elements)
{
    std::vector<double> nodes;
    for (int k = 0; k <= elements; ++k)
        nodes.push_back(k == elements ? st.length : st.length * k / elements);
    return nodes;
}

// A symmetric matrix of half-bandwidth 3 (a Hermite beam's four degrees of
// freedom an element), lower band stored by rows.
class Band {
public:
    static constexpr int kWidth = 3;
    explicit Band(int size) : n_(size), a_(static_cast<std::size_t>(size) * (kWidth + 1), 0.0) {}
    int size() const { return n_; }
    double& at(int i, int j) { return a_[static_cast<std::size_t>(i) * (kWidth + 1) + static_cast<std::size_t>(i - j)]; }
    // Fixes degree of freedom i at 0: its row and column cleared, and a 1
    // (stiffness) or 0 (mass) on the diagonal.
    void fix(int i, double diagonal)
    {
        for (int j = std::max(0, i - kWidth); j < i; ++j)
            at(i, j) = 0.0;
        for (int j = i + 1; j <= std::min(n_ - 1, i + kWidth); ++j)
            at(j, i) = 0.0;
        at(i, i) = diagonal;
    }
    std::vector<double> times(const std::vector<double>& x) const
    {
        std::vector<double> y(static_cast<std::size_t>(n_), 0.0);
        for (std::size_t i = 0; i < y.size(); ++i) {
            const double* row = &a_[i * (kWidth + 1)];
            y[i] += row[0] * x[i];
            for (std::size_t d = 1; d <= kWidth && d <= i; ++d) {
                y[i] += row[d] * x[i - d];
                y[i - d] += row[d] * x[i];
            }
        }
        return y;
    }
    // In place into its Cholesky factor; false when not positive definite.
    bool factor()
    {
        for (int j = 0; j < n_; ++j) {
            double d = at(j, j);
            for (int k = std::max(0, j - kWidth); k < j; ++k)
                d -= at(j, k) * at(j, k);
            if (!(d > 0))
                return false;
            at(j, j) = std::sqrt(d);
            for (int i = j + 1; i <= std::min(n_ - 1, j + kWidth); ++i) {
                double v = at(i, j);
                for (int k = std::max(0, i - kWidth); k < j; ++k)
                    v -= at(i, k) * at(j, k);
                at(i, j) = v / at(j, j);
            }
        }
        return true;
    }
    std::vector<double> solve(std::vector<double> b) // after factor()
    {
        for (int i = 0; i < n_; ++i) {
            for (int k = std::max(0, i - kWidth); k < i; ++k)
                b[static_cast<std::size_t>(i)] -= at(i, k) * b[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(i)] /= at(i, i);
        }
        for (int i = n_ - 1; i >= 0; --i) {
            for (int k = i + 1; k <= std::min(n_ - 1, i + kWidth); ++k)
                b[static_cast<std::size_t>(i)] -= at(k, i) * b[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(i)] /= at(i, i);
        }
        return b;
    }

private:
    int n_;
    std::vector<double> a_;
};

// Four-point Gauss on [0, 1]: exact to degree 7, which a linear mass times
// two cubics is.
constexpr double kGaussX[4] = {0.0694318442029737, 0.3300094782075719, 0.6699905217924281, 0.9305681557970263};
constexpr double kGaussW[4] = {0.1739274225687269, 0.3260725774312731, 0.3260725774312731, 0.1739274225687269};

enum class Weighting { Mass, Geometric };

// Stiffness and, by `weighting`, the consistent mass or the geometric
// stiffness (for buckling) of Hermite beam elements between `nodes`.
void assemble(const Stretch& st, const std::vector<double>& nodes, Weighting weighting, Band& k, Band& m)
{
    const std::vector<double> kinks = kinksOf(st);
    auto kink = kinks.begin();
    for (std::size_t e = 0; e + 1 < nodes.size(); ++e) {
        const double h = nodes[e + 1] - nodes[e];
        const int base = static_cast<int>(2 * e);
        // The element in pieces at the rows within it: EI is straight on each,
        // so four Gauss points a piece integrate it exactly.
        std::vector<double> cuts{0.0};
        while (kink != kinks.end() && *kink < nodes[e + 1]) {
            if (*kink > nodes[e])
                cuts.push_back((*kink - nodes[e]) / h);
            ++kink;
        }
        cuts.push_back(1.0);
        for (std::size_t q = 0; q < 4 * (cuts.size() - 1); ++q) {
            const std::size_t piece = q / 4, g = q % 4;
            const double part = cuts[piece + 1] - cuts[piece];
            const double x = cuts[piece] + part * kGaussX[g];
            const double s = nodes[e] + h * x;
            const double b[4] = {(-6 + 12 * x) / (h * h), (-4 + 6 * x) / h, (6 - 12 * x) / (h * h), (-2 + 6 * x) / h};
            double n[4];
            if (weighting == Weighting::Mass) {
                n[0] = 1 - 3 * x * x + 2 * x * x * x;
                n[1] = h * (x - 2 * x * x + x * x * x);
                n[2] = 3 * x * x - 2 * x * x * x;
                n[3] = h * (-x * x + x * x * x);
            } else {
                n[0] = (-6 * x + 6 * x * x) / h;
                n[1] = 1 - 4 * x + 3 * x * x;
                n[2] = (6 * x - 6 * x * x) / h;
                n[3] = -2 * x + 3 * x * x;
            }
            const double kw = kGaussW[g] * part * h * st.stiffness(s);
            const double mw = kGaussW[g] * part * h * (weighting == Weighting::Mass ? st.mass(s) : 1.0);
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j <= i; ++j) {
                    k.at(base + i, base + j) += kw * b[i] * b[j];
                    m.at(base + i, base + j) += mw * n[i] * n[j];
                }
        }
    }
}

double dot(const std::vector<double>& a, const std::vector<double>& b)
{
    double s = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        s += a[i] * b[i];
    return s;
}

struct Mode {
    double value = 0.0;           // 0 when the matrices had none
    std::vector<double> shape;
};

// The lowest eigenpair of k x = value m x by inverse iteration. Beams have
// their second mode several times above the first, so it settles in a few
// rounds.
Mode lowestMode(Band k, const Band& m)
{
    Mode mode;
    if (!k.factor())
        return mode;
    std::vector<double> x(static_cast<std::size_t>(k.size()), 0.0);
    for (std::size_t i = 0; i < x.size(); i += 2)
        x[i] = 1.0;
    double previous = 0.0;
    for (int round = 0; round < 100; ++round) {
        const std::vector<double> mx = m.times(x);
        std::vector<double> y = k.solve(mx);
        const std::vector<double> my = m.times(y);
        const double norm = dot(y, my);
        if (!(norm > 0) || !std::isfinite(norm))
            return {};
        const double value = dot(y, mx) / norm;
        const double scale = 1.0 / std::sqrt(norm);
        for (double& v : y)
            v *= scale;
        x = std::move(y);
        if (round > 0 && std::fabs(value - previous) <= 1e-11 * value) {
            previous = value;
            break;
        }
        previous = value;
    }
    mode.value = previous;
    mode.shape = std::move(x);
    return mode;
}

// The meter: clamped at s = length, the tip weight's centre `tipOffset`
// metres beyond s = 0 and moving with the tip's slope. Cycles per minute.
double meterCpm(const Stretch& st, double tipMass, double tipOffset, int split, int* used)
{
    // About an element a row, for the shape between rows; but no more than
    // 256 to start with, where a long table's rounding would begin to show.
    const int start = std::clamp(static_cast<int>(std::min<std::size_t>(kinksOf(st).size(), 1000)) + 1, 16, 256);
    const std::vector<double> nodes = meshOf(st, start * split);
    const int size = static_cast<int>(2 * nodes.size());
    Band k(size), m(size);
    assemble(st, nodes, Weighting::Mass, k, m);
    m.at(0, 0) += tipMass;
    m.at(1, 0) -= tipMass * tipOffset;
    m.at(1, 1) += tipMass * tipOffset * tipOffset;
    k.fix(size - 2, 1.0);
    k.fix(size - 1, 1.0);
    m.fix(size - 2, 0.0);
    m.fix(size - 1, 0.0);
    *used = static_cast<int>(nodes.size()) - 1;
    const Mode mode = lowestMode(std::move(k), m);
    return std::sqrt(mode.value) * 60.0 / (2.0 * std::numbers::pi);
}

// The apex of the first buckling mode of the stretch pinned at both ends.
double bendPoint(const Stretch& st)
{
    const std::vector<double> nodes = meshOf(st, 128);
    const int size = static_cast<int>(2 * nodes.size());
    Band k(size), g(size);
    assemble(st, nodes, Weighting::Geometric, k, g);
    k.fix(0, 1.0);
    g.fix(0, 0.0);
    k.fix(size - 2, 1.0);
    g.fix(size - 2, 0.0);
    const Mode mode = lowestMode(std::move(k), g);
    if (mode.shape.empty())
        return st.length / 2;
    double best = -1.0, where = 0.0;
    for (std::size_t e = 0; e + 1 < nodes.size(); ++e) {
        const double h = nodes[e + 1] - nodes[e];
        const double wa = mode.shape[2 * e], ta = mode.shape[2 * e + 1] * h;
        const double wb = mode.shape[2 * e + 2], tb = mode.shape[2 * e + 3] * h;
        const auto w = [&](double x) {
            return wa * (1 - 3 * x * x + 2 * x * x * x) + ta * (x - 2 * x * x + x * x * x)
                + wb * (3 * x * x - 2 * x * x * x) + tb * (-x * x + x * x * x);
        };
        // Where the slope within the element is 0: a quadratic in x.
        const double c2 = 6 * wa + 3 * ta - 6 * wb + 3 * tb;
        const double c1 = -6 * wa - 4 * ta + 6 * wb - 2 * tb;
        const double c0 = ta;
        std::vector<double> candidates{0.0, 1.0};
        if (std::fabs(c2) > 1e-300) {
            const double disc = c1 * c1 - 4 * c2 * c0;
            if (disc >= 0) {
                candidates.push_back((-c1 + std::sqrt(disc)) / (2 * c2));
                candidates.push_back((-c1 - std::sqrt(disc)) / (2 * c2));
            }
        } else if (std::fabs(c1) > 1e-300) {
            candidates.push_back(-c0 / c1);
        }
        for (const double x : candidates)
            if (x >= 0 && x <= 1 && std::fabs(w(x)) > best) {
                best = std::fabs(w(x));
                where = nodes[e] + h * x;
            }
    }
    return where;
}

// Under a load at the tip the curvature is s / EI(s); the deflection's
// departure d from the chord tip-to-clamp has d'' = curvature and d = 0 at
// both ends, and is largest where d' = 0.
double kickPoint(const Stretch& st)
{
    const std::vector<double> nodes = meshOf(st, 512);
    const auto curvature = [&](double s) { return s / st.stiffness(s); };
    // Cumulative integral of the curvature, by Simpson per element.
    std::vector<double> slope{0.0};
    double moment = 0.0;   // the integral of (length - s) times the curvature
    double ka = curvature(nodes.front());
    for (std::size_t e = 0; e + 1 < nodes.size(); ++e) {
        const double a = nodes[e], b = nodes[e + 1], mid = (a + b) / 2, h = b - a;
        const double km = curvature(mid), kb = curvature(b);
        slope.push_back(slope.back() + h / 6 * (ka + 4 * km + kb));
        moment += h / 6 * ((st.length - a) * ka + 4 * (st.length - mid) * km + (st.length - b) * kb);
        ka = kb;
    }
    const double target = moment / st.length;
    for (std::size_t e = 0; e + 1 < nodes.size(); ++e)
        if (slope[e + 1] >= target) {
            const double part = slope[e + 1] > slope[e] ? (target - slope[e]) / (slope[e + 1] - slope[e]) : 0.0;
            return nodes[e] + part * (nodes[e + 1] - nodes[e]);
        }
    return st.length;
}

struct Prepared {
    QString refusal;
    EiProfile ei;
    double metres = 0.0;          // per length unit
    double massAt0 = 0.0;
    double massSlope = 0.0;
    bool ok() const { return refusal.isEmpty(); }
};

// Checks the input in the order a user would mend it, and works out the
// mass line.
Prepared prepare(const FrequencyInput& in)
{
    Prepared p;
    const LengthUnit u = in.unit;
    const ShaftDetails& sh = in.shaft;
    const MeterSetup& me = in.meter;
    const auto bad = [](double v) { return !std::isfinite(v); };
    if (bad(sh.length) || !(sh.length > 0))
        p.refusal = QCoreApplication::translate("Analysis", "the shaft's length must be above 0");
    else if (bad(sh.weight) || sh.weight < 0)
        p.refusal = QCoreApplication::translate("Analysis", "the shaft's weight cannot be negative");
    else if (!(sh.weight > 0))
        p.refusal = QCoreApplication::translate("Analysis", "the shaft's weight must be above 0 g");
    else if (bad(me.tipWeight) || me.tipWeight < 0)
        p.refusal = QCoreApplication::translate("Analysis", "the tip weight cannot be negative");
    else if (bad(me.tipOffset))
        p.refusal = QCoreApplication::translate("Analysis", "the tip weight's offset must be a length");
    else if (bad(in.trims.tip) || bad(in.trims.butt) || in.trims.tip < 0 || in.trims.butt < 0)
        p.refusal = QCoreApplication::translate("Analysis", "a trim cannot be negative");
    else if (in.trims.tip + in.trims.butt >= sh.length)
        p.refusal = QCoreApplication::translate("Analysis", "the trims (%1 in all) are not shorter than the shaft (%2)")
                        .arg(lengthText(in.trims.tip + in.trims.butt, u), lengthText(sh.length, u));
    else if (bad(me.clamp) || bad(me.clampOffset) || me.clamp < 0)
        p.refusal = QCoreApplication::translate("Analysis", "the clamp must be a length of 0 or more");
    else if (me.clamp + me.clampOffset < 0)
        p.refusal = QCoreApplication::translate("Analysis", "the clamp with its calibration offset (%1) is shorter than nothing")
                        .arg(lengthText(me.clamp + me.clampOffset, u));
    else if (me.clamp + me.clampOffset >= sh.length - in.trims.tip - in.trims.butt)
        p.refusal = QCoreApplication::translate("Analysis", "the clamp (%1) is not shorter than the shaft (%2)")
                        .arg(lengthText(me.clamp + me.clampOffset, u), lengthText(sh.length - in.trims.tip - in.trims.butt, u));
    if (!p.ok())
        return p;
    if (in.ei.empty()) {
        p.refusal = QCoreApplication::translate("Analysis", "no row holds an EI");
        return p;
    }
    for (const RowPoint& r : in.ei) {
        if (!std::isfinite(r.x) || !std::isfinite(r.y) || !(r.y > 0)) {
            p.refusal = QCoreApplication::translate("Analysis", "row %1: the EI is not above 0").arg(r.row);
            return p;
        }
    }
    p.metres = metresPer(u);
    for (const RowPoint& r : in.ei)
        p.ei.add(r.x * p.metres, r.y);
    p.ei.finish();

    const double length = sh.length * p.metres;
    const double kg = sh.weight / 1000.0;
    if (sh.balance) {
        const double b = *sh.balance;
        // m(x) = a + c x with the weight and the first moment of the shaft:
        // it stays at or above 0 over the shaft for a balance point within
        // the middle third.
        if (!std::isfinite(b) || b < sh.length / 3 - 1e-9 * sh.length || b > 2 * sh.length / 3 + 1e-9 * sh.length) {
            p.refusal = (std::isfinite(b) && b < sh.length / 2
                             ? QCoreApplication::translate("Analysis", "a balance point %1 from the tip would make the shaft's mass negative at the butt; "
                                  "for a shaft %2 long it lies between %3 and %4 from the tip")
                             : QCoreApplication::translate("Analysis", "a balance point %1 from the tip would make the shaft's mass negative at the tip; "
                                  "for a shaft %2 long it lies between %3 and %4 from the tip"))
                            .arg(lengthText(b, u), lengthText(sh.length, u), lengthText(sh.length / 3, u), lengthText(2 * sh.length / 3, u));
            return p;
        }
        const double bm = b * p.metres;
        p.massSlope = 12.0 * kg * (bm - length / 2) / (length * length * length);
        p.massAt0 = std::max(0.0, kg / length - p.massSlope * length / 2);
    } else {
        p.massAt0 = kg / length;
    }
    return p;
}

} // namespace

MeterSetup DefaultMeterSetup(LengthUnit unit)
{
    MeterSetup m;
    m.clamp = unit == LengthUnit::Inch ? 5.0 : 127.0;
    return m;
}

std::vector<RowPoint> EiRows(const EiCurve& curve)
{
    std::vector<RowPoint> rows;
    rows.reserve(curve.points.size());
    for (const EiPoint& p : curve.points)
        rows.push_back({p.row, p.position, p.nM2});
    return rows;
}

FrequencyPrediction PredictFrequency(const FrequencyInput& in)
{
    FrequencyPrediction out;
    const Prepared p = prepare(in);
    if (!p.ok()) {
        out.refusal = p.refusal;
        return out;
    }
    const double t = in.trims.tip * p.metres;
    const double butt = (in.shaft.length - in.trims.butt) * p.metres;   // the cut butt's raw position
    const double clamp = (in.meter.clamp + in.meter.clampOffset) * p.metres;

    Stretch free{&p.ei, t, butt - clamp - t, p.massAt0, p.massSlope};
    const double tipMass = in.meter.tipWeight / 1000.0;
    const double offset = in.meter.tipOffset * p.metres;

    // Elements doubled until the figure moves by less than a part in 10^7
    // (well inside a hundredth of a cpm), up to 1024 elements: finer meshes
    // only add rounding, the stiffness growing as the fourth power of the
    // element count. A profile jagged from row to row may settle more slowly;
    // there a hundredth of a cpm between the last two meshes is enough.
    int used = 0;
    int level = std::clamp(in.level, 0, 10);
    double previous = meterCpm(free, tipMass, offset, 1 << level, &used);
    double cpm = previous;
    double change = std::numeric_limits<double>::infinity();
    bool settled = in.level >= 0 && std::isfinite(cpm) && cpm > 0;
    while (!settled && 2 * used <= 1024) {
        cpm = meterCpm(free, tipMass, offset, 1 << ++level, &used);
        if (!std::isfinite(cpm) || !(cpm > 0))
            break;
        change = std::fabs(cpm - previous);
        settled = change < std::min(0.01, 1e-7 * cpm);
        previous = cpm;
    }
    settled = settled || change < 0.01;
    if (!settled) {
        out.refusal = QCoreApplication::translate("Analysis", "the frequency does not settle for this shaft; check its EI, length and weight");
        return out;
    }
    out.cpm = cpm;
    out.elements = used;
    out.level = level;
    const double unit = 1.0 / p.metres;
    out.freeLength = free.length * unit;
    out.extrapolatedTip = std::clamp(p.ei.first() - t, 0.0, free.length) * unit;
    out.extrapolatedButt = std::clamp(t + free.length - p.ei.last(), 0.0, free.length) * unit;
    out.kickPoint = kickPoint(free) * unit;
    const Stretch whole{&p.ei, t, butt - t, p.massAt0, p.massSlope};
    out.bendPoint = bendPoint(whole) * unit;
    return out;
}

ClampCalibration CalibrateClamp(FrequencyInput in, double measuredCpm)
{
    ClampCalibration c;
    if (!std::isfinite(measuredCpm) || !(measuredCpm > 0)) {
        c.refusal = QCoreApplication::translate("Analysis", "the measured frequency must be above 0 cpm");
        return c;
    }
    in.meter.clampOffset = 0.0;
    const FrequencyPrediction base = PredictFrequency(in);
    if (!base.ok()) {
        c.refusal = base.refusal;
        return c;
    }
    // Beyond 3 in either way the meter differs by more than its clamp can
    // explain: a wrong tip weight, shaft details or cpm typed.
    const double limit = in.unit == LengthUnit::Inch ? 3.0 : 76.2;
    const double low = std::max(-limit, -in.meter.clamp);
    const double high = std::min(limit, base.freeLength * 0.95);
    const auto cpmAt = [&](double offset) {
        in.meter.clampOffset = offset;
        const FrequencyPrediction p = PredictFrequency(in);
        return p.ok() ? p.cpm : std::nan("");
    };
    const double atLow = cpmAt(low), atHigh = cpmAt(high);
    const QString unit = LengthUnitText(in.unit);
    if (!(measuredCpm >= atLow && measuredCpm <= atHigh)) {
        const bool soft = !(measuredCpm >= atLow);
        c.refusal = (soft ? QCoreApplication::translate("Analysis", "%1 cpm would need the clamp to hold more than %2 %3 less than it is set to (the prediction is %4 cpm); "
                               "a difference that large is not the clamp's: check the cpm typed, the tip weight and the shaft's length and weight")
                          : QCoreApplication::translate("Analysis", "%1 cpm would need the clamp to hold more than %2 %3 more than it is set to (the prediction is %4 cpm); "
                               "a difference that large is not the clamp's: check the cpm typed, the tip weight and the shaft's length and weight"))
                        .arg(QString::number(measuredCpm, 'f', 1), QString::number(soft ? -low : high, 'g', 3), unit,
                             QString::number(base.cpm, 'f', 1));
        return c;
    }
    double lo = low, hi = high;
    for (int i = 0; i < 60 && hi - lo > 1e-7 * limit; ++i) {
        const double mid = (lo + hi) / 2;
        (cpmAt(mid) < measuredCpm ? lo : hi) = mid;
    }
    c.clampOffset = (lo + hi) / 2;
    return c;
}

std::vector<RowPoint> TrimmedEi(const std::vector<RowPoint>& ei, double length, const Trims& trims)
{
    std::vector<RowPoint> rows;
    if (ei.empty())
        return rows;
    EiProfile profile;
    for (const RowPoint& r : ei)
        profile.add(r.x, r.y);
    profile.finish();
    const double butt = length - trims.butt;
    if (trims.tip > profile.first() && trims.tip < profile.last())
        rows.push_back({0, 0.0, profile.at(trims.tip)});
    for (const double x : profile.positions())
        if (x >= trims.tip && x <= butt)
            rows.push_back({0, x - trims.tip, profile.at(x)});
    if (trims.butt > 0 && butt > profile.first() && butt < profile.last())
        rows.push_back({0, butt - trims.tip, profile.at(butt)});
    return rows;
}

} // namespace tarvex
