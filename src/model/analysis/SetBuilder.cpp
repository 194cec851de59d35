#include "analysis/SetBuilder.h"
#include "platform/Result.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace tarvex {

namespace {

// The prediction settles to a hundredth of a cpm; the root is not sought
// more finely than that, and a club that misses its target by no more is
// where the line wants it.
constexpr double kCpmTolerance = 0.01;
constexpr double kOnLineCpm = 0.5;

double median(std::vector<double> v)
{
    if (v.empty())
        return std::numeric_limits<double>::quiet_NaN();
    const std::size_t half = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(half), v.end());
    const double upper = v[half];
    if (v.size() % 2 == 1)
        return upper;
    return (*std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(half)) + upper) / 2;
}

class Solver {
public:
    explicit Solver(const SetRequest& rq) : rq_(rq) {}

    // The shaft cut to `length` with `tip` off the tip, the rest off the butt.
    FrequencyPrediction predict(const SetShaft& shaft, double length, double tip, double tipWeight) const
    {
        FrequencyInput in;
        in.ei = shaft.ei;
        in.unit = rq_.unit;
        in.shaft = shaft.details;
        in.meter = rq_.meter;
        in.meter.tipWeight = tipWeight;
        in.trims = {tip, std::max(0.0, shaft.details.length - length - tip)};
        return PredictFrequency(in);
    }

    double lengthOf(int club) const { return rq_.firstLength - club * rq_.spacing; }
    double tipWeightOf(int club) const { return rq_.meter.tipWeight + club * rq_.tipWeightStep; }

    // How much a club of `length` leaves to trim off the shaft, with a hair
    // of rounding taken as none; below 0 the shaft is too short.
    double room(const SetShaft& shaft, double length) const
    {
        const double r = shaft.details.length - length;
        return std::fabs(r) < 1e-9 * shaft.details.length ? 0.0 : r;
    }

    // The longest club: the base tip trim, or what the shaft has room for.
    SetClub anchor(const SetShaft& shaft) const
    {
        SetClub c = blank(shaft, 0);
        const double r = room(shaft, c.length);
        if (r < 0) {
            c.limit = SetLimit::TooShortForClub;
            return c;
        }
        c.trims.tip = std::min(rq_.baseTipTrim, r);
        c.trims.butt = r - c.trims.tip;
        if (c.trims.tip < rq_.baseTipTrim)
            c.limit = SetLimit::TooShortForTrim;
        settle(c, predict(shaft, c.length, c.trims.tip, c.tipWeight));
        c.targetCpm = c.cpm;
        return c;
    }

    SetClub solve(const SetShaft& shaft, int club, double target) const
    {
        SetClub c = blank(shaft, club);
        c.targetCpm = target;
        const double r = room(shaft, c.length);
        if (r < 0) {
            c.limit = SetLimit::TooShortForClub;
            return c;
        }
        const double high = std::min(rq_.maxTipTrim, r);
        const auto at = [&](double tip) { return predict(shaft, c.length, tip, c.tipWeight); };
        const FrequencyPrediction low = at(0.0);
        if (!low.ok() || low.cpm - target >= -kCpmTolerance) {
            c.trims = {0.0, r};
            if (low.ok() && low.cpm - target > kCpmTolerance)
                c.limit = SetLimit::TooStiff;
            settle(c, low);
            return c;
        }
        const FrequencyPrediction top = at(high);
        if (!top.ok() || top.cpm - target <= kCpmTolerance) {
            c.trims = {high, r - high};
            if (top.ok() && top.cpm - target < -kCpmTolerance)
                c.limit = high < rq_.maxTipTrim ? SetLimit::TooShortForTrim : SetLimit::TooSoft;
            settle(c, top);
            return c;
        }
        // The frequency rises with the tip trim and is nearly straight in
        // it: regula falsi, with the Illinois halving so a bent curve cannot
        // hold one end of the bracket for ever.
        double a = 0.0, fa = low.cpm - target, b = high, fb = top.cpm - target;
        FrequencyPrediction best = std::fabs(fa) < std::fabs(fb) ? low : top;
        double bestTip = std::fabs(fa) < std::fabs(fb) ? a : b;
        int side = 0;
        for (int i = 0; i < 40 && b - a > 1e-6 * UnitsPerInch(rq_.unit); ++i) {
            const double t = std::clamp(b - fb * (b - a) / (fb - fa), a, b);
            const FrequencyPrediction p = at(t);
            if (!p.ok())
                break;
            const double ft = p.cpm - target;
            if (std::fabs(ft) < std::fabs(best.cpm - target)) {
                best = p;
                bestTip = t;
            }
            if (std::fabs(ft) <= kCpmTolerance / 5)
                break;
            if ((ft < 0) == (fa < 0)) {
                a = t;
                fa = ft;
                if (side == -1)
                    fb /= 2;
                side = -1;
            } else {
                b = t;
                fb = ft;
                if (side == 1)
                    fa /= 2;
                side = 1;
            }
        }
        c.trims = {bestTip, r - bestTip};
        settle(c, best);
        return c;
    }

private:
    SetClub blank(const SetShaft& shaft, int club) const
    {
        SetClub c;
        c.club = club;
        c.name = shaft.name;
        c.length = lengthOf(club);
        c.tipWeight = tipWeightOf(club);
        return c;
    }

    static void settle(SetClub& c, const FrequencyPrediction& p)
    {
        if (!p.ok()) {
            c.limit = SetLimit::NoFrequency;
            c.refusal = p.refusal;
            return;
        }
        c.hasCpm = true;
        c.cpm = p.cpm;
    }

    const SetRequest& rq_;
};

Result<> checkRequest(const SetRequest& rq)
{
    const QString u = LengthUnitText(rq.unit);
    const auto finite = [](double v) { return std::isfinite(v); };
    if (rq.shafts.empty())
        return Failure(QCoreApplication::translate("Analysis", "no shaft to build a set from"));
    if (!finite(rq.firstLength) || !(rq.firstLength > 0))
        return Failure(QCoreApplication::translate("Analysis", "the longest club's length must be above 0 %1").arg(u));
    if (!finite(rq.spacing) || rq.spacing < 0)
        return Failure(QCoreApplication::translate("Analysis", "the step between clubs cannot be negative"));
    if (!finite(rq.slope))
        return Failure(QCoreApplication::translate("Analysis", "the slope must be a number of cpm a club"));
    if (!finite(rq.tipWeightStep) || !finite(rq.meter.tipWeight))
        return Failure(QCoreApplication::translate("Analysis", "the tip weight and its step must be numbers of grams"));
    const double lightest = std::min(rq.meter.tipWeight, rq.meter.tipWeight + (rq.shafts.size() - 1.0) * rq.tipWeightStep);
    if (lightest < 0)
        return Failure(QCoreApplication::translate("Analysis", "the tip weight would drop below 0 g by the last club"));
    if (!finite(rq.maxTipTrim) || rq.maxTipTrim < 0)
        return Failure(QCoreApplication::translate("Analysis", "the largest tip trim cannot be negative"));
    if (!finite(rq.baseTipTrim) || rq.baseTipTrim < 0)
        return Failure(QCoreApplication::translate("Analysis", "the base tip trim cannot be negative"));
    if (rq.baseTipTrim > rq.maxTipTrim)
        return Failure(QCoreApplication::translate("Analysis", "the base tip trim (%1 %3) is more than the largest tip trim allowed (%2 %3)")
            .arg(QString::number(rq.baseTipTrim, 'g', 4), QString::number(rq.maxTipTrim, 'g', 4), u));
    const double shortest = rq.firstLength - (rq.shafts.size() - 1.0) * rq.spacing;
    const double clamp = rq.meter.clamp + rq.meter.clampOffset;
    if (finite(clamp) && shortest <= clamp)
        return Failure(QCoreApplication::translate("Analysis", "the shortest of %1 clubs would be %2 %4, not longer than the clamp (%3 %4)")
            .arg(rq.shafts.size())
            .arg(QString::number(shortest, 'g', 4), QString::number(clamp, 'g', 4), u));
    return {};
}

} // namespace

SetRequest DefaultSetRequest(LengthUnit unit)
{
    SetRequest rq;
    const double k = UnitsPerInch(unit);
    rq.unit = unit;
    rq.firstLength = 37.0 * k;
    rq.spacing = 0.5 * k;
    rq.meter = DefaultMeterSetup(unit);
    rq.tipWeightStep = 7.0;
    rq.maxTipTrim = 3.0 * k;
    rq.baseTipTrim = 1.0 * k;
    return rq;
}

bool SetClub::onLine() const
{
    return limit == SetLimit::None && hasCpm && std::fabs(offLine()) <= kOnLineCpm;
}

SetBuild BuildSet(const SetRequest& rq)
{
    SetBuild set;
    if (const Result<> checked = checkRequest(rq); !checked) {
        set.refusal = checked.message();
        return set;
    }
    const Solver solver(rq);
    const std::size_t n = rq.shafts.size();

    // Every shaft as the longest club: its softness for the assignment, and
    // a shaft whose figures cannot be worked out at all is named before any
    // club is solved.
    std::vector<SetClub> asLongest;
    asLongest.reserve(n);
    for (const SetShaft& shaft : rq.shafts) {
        SetClub c = solver.anchor(shaft);
        if (c.limit == SetLimit::TooShortForClub) {
            // Still a shaft for a shorter club; its data checked uncut.
            const FrequencyPrediction p = solver.predict(shaft, shaft.details.length, 0.0, c.tipWeight);
            if (!p.ok())
                c.refusal = p.refusal;
        }
        if (!c.refusal.isEmpty()) {
            set.refusal = QStringLiteral("%1: %2").arg(shaft.name, c.refusal);
            return set;
        }
        asLongest.push_back(std::move(c));
    }

    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (rq.assignment == SetAssignment::SoftestToLongest) {
        // A shaft too short for the longest club has no softness there and
        // goes to the shorter clubs; equal frequencies go by name, so the
        // order the shafts came in does not change the set.
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const SetClub& x = asLongest[a];
            const SetClub& y = asLongest[b];
            if (x.hasCpm != y.hasCpm)
                return x.hasCpm;
            if (x.hasCpm && x.cpm != y.cpm)
                return x.cpm < y.cpm;
            return rq.shafts[a].name < rq.shafts[b].name;
        });
    }

    const SetClub& first = asLongest[order.front()];
    if (!first.hasCpm) {
        set.refusal = QCoreApplication::translate("Analysis", "%1 (%2 %3) is shorter than the longest club (%4 %3): the line has no club to start from")
                          .arg(first.name, QString::number(rq.shafts[order.front()].details.length, 'g', 5), LengthUnitText(rq.unit),
                               QString::number(rq.firstLength, 'g', 5));
        return set;
    }
    set.clubs.push_back(first);
    set.clubs.back().shaft = order.front();
    for (std::size_t k = 1; k < n; ++k) {
        const int club = static_cast<int>(k);
        SetClub c = solver.solve(rq.shafts[order[k]], club, first.cpm + club * rq.slope);
        c.shaft = order[k];
        set.clubs.push_back(std::move(c));
    }

    std::vector<double> x, y;
    for (const SetClub& c : set.clubs)
        if (c.hasCpm) {
            x.push_back(c.club);
            y.push_back(c.cpm);
        }
    const RobustLine line = TheilSenLine(x, y);
    set.slope = line.slope;
    set.intercept = line.intercept;
    for (SetClub& c : set.clubs)
        c.residual = c.hasCpm ? c.cpm - (line.intercept + line.slope * c.club) : std::numeric_limits<double>::quiet_NaN();
    return set;
}

QString SetClubMark(const SetClub& c, LengthUnit unit, const QLocale& locale)
{
    const QString u = LengthUnitText(unit);
    const auto length = [&](double v) {
        return locale.toString(std::fabs(v) < 5e-4 ? 0.0 : v, 'f', unit == LengthUnit::Inch ? 2 : 1) + QLatin1Char(' ') + u;
    };
    // A club held at a limit a few hundredths short of its target is still
    // marked, and "0.0 cpm" would read as no miss at all.
    const QString off = std::fabs(c.offLine()) < 0.05 ? QCoreApplication::translate("Analysis", "less than %1").arg(locale.toString(0.1, 'f', 1))
                                                      : locale.toString(std::fabs(c.offLine()), 'f', 1);
    const QString side = c.offLine() > 0 ? QCoreApplication::translate("Analysis", "above") : QCoreApplication::translate("Analysis", "below");
    switch (c.limit) {
    case SetLimit::None:
        if (!c.hasCpm || std::fabs(c.offLine()) <= kOnLineCpm)
            return {};
        return QCoreApplication::translate("Analysis", "%1 lands %2 cpm %3 the line").arg(c.name, off, side);
    case SetLimit::TooStiff:
        return QCoreApplication::translate("Analysis", "%1 is too stiff for club %2: even with nothing off the tip it lands %3 cpm %4 the line")
            .arg(c.name).arg(c.club + 1).arg(off, side);
    case SetLimit::TooSoft:
        return QCoreApplication::translate("Analysis", "%1 is too soft for club %2: with the largest tip trim allowed (%3) it lands %4 cpm %5 the line")
            .arg(c.name).arg(c.club + 1).arg(length(c.trims.tip), off, side);
    case SetLimit::TooShortForTrim:
        if (c.club == 0)
            return QCoreApplication::translate("Analysis", "%1 is too short for the base tip trim at club 1: it takes %2 off the tip and nothing off the butt, "
                                  "and the line starts from it")
                .arg(c.name, length(c.trims.tip));
        return QCoreApplication::translate("Analysis", "%1 is too short for the tip trim club %2 needs: with %3 off the tip and nothing off the butt "
                              "it lands %4 cpm %5 the line")
            .arg(c.name).arg(c.club + 1).arg(length(c.trims.tip), off, side);
    case SetLimit::TooShortForClub:
        return QCoreApplication::translate("Analysis", "%1 is shorter than club %2 (%3): it cannot be built").arg(c.name).arg(c.club + 1).arg(length(c.length));
    case SetLimit::NoFrequency:
        return QCoreApplication::translate("Analysis", "%1 has no frequency as club %2: %3").arg(c.name).arg(c.club + 1).arg(c.refusal);
    }
    return {};
}

RobustLine TheilSenLine(const std::vector<double>& x, const std::vector<double>& y)
{
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<double> slopes;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (x[j] != x[i])
                slopes.push_back((y[j] - y[i]) / (x[j] - x[i]));
    RobustLine line;
    line.slope = median(slopes);
    if (!std::isfinite(line.slope)) {
        line.intercept = std::numeric_limits<double>::quiet_NaN();
        return line;
    }
    std::vector<double> intercepts;
    for (std::size_t i = 0; i < n; ++i)
        intercepts.push_back(y[i] - line.slope * x[i]);
    line.intercept = median(intercepts);
    return line;
}

} // namespace tarvex
