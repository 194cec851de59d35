#include "SetBuild.h"

#include "Analyze.h"
#include "analysis/FrequencyText.h"
#include "analysis/SetBuilder.h"
#include "files/SafeWrite.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <unistd.h>

using namespace tarvex;

namespace tvconv {

namespace {

const QString kOption = QStringLiteral("--build-set");

int say(const QString& message, int status)
{
    // Standard error is the last place left to say anything: a failure to
    // write there has nowhere to go.
    (void)WriteAllTo(STDERR_FILENO, "tvconv: " + message.toLocal8Bit() + '\n');
    return status;
}

const QStringList& geometryKeys()
{
    static const QStringList keys{QStringLiteral("span"), QStringLiteral("deflection"), QStringLiteral("load"), QStringLiteral("compliance")};
    return keys;
}

const QStringList& lengthKeys()
{
    static const QStringList keys{QStringLiteral("clamp"), QStringLiteral("first"), QStringLiteral("spacing"),
                                  QStringLiteral("maxtiptrim"), QStringLiteral("basetrim"), QStringLiteral("offset")};
    return keys;
}

const QStringList& massKeys()
{
    static const QStringList keys{QStringLiteral("tip"), QStringLiteral("tipstep")};
    return keys;
}

struct Settings {
    BenchGeometry geometry;
    SetRequest request;
};

// The settings a key at a time: an unknown, doubled or missing key or an
// unknown assignment is a usage error (2); a value that is not a length,
// weight or number where one belongs, a bad set-up (1).
int parseSettings(const QString& text, Settings& s)
{
    QHash<QString, QString> values;
    QStringList geometryItems;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const bool known = geometryKeys().contains(key) || lengthKeys().contains(key) || massKeys().contains(key)
            || key == QLatin1String("slope") || key == QLatin1String("assign");
        if (!item.contains(QLatin1Char('=')) || !known)
            return say(QStringLiteral("%1: unknown setting \"%2\" (span, deflection, load, compliance, clamp, tip, first, spacing, "
                                      "slope, tipstep, maxtiptrim, basetrim, offset, assign)").arg(kOption, item), 2);
        if (values.contains(key))
            return say(QStringLiteral("%1: %2 is given twice").arg(kOption, key), 2);
        values.insert(key, item.section(QLatin1Char('='), 1));
        if (geometryKeys().contains(key))
            geometryItems << item;
    }
    for (const char* key : {"span", "deflection", "load", "clamp", "tip", "first", "spacing", "slope"})
        if (!values.contains(QLatin1String(key)))
            return say(QStringLiteral("%1 needs span, deflection, load, clamp, tip, first, spacing and slope, e.g. "
                                      "span=15in,deflection=0.1in,load=lbf,clamp=5in,tip=255g,first=37in,spacing=0.5in,slope=4.3")
                           .arg(kOption), 2);
    const QString assign = values.value(QStringLiteral("assign"), QStringLiteral("listed"));
    if (assign != QLatin1String("listed") && assign != QLatin1String("auto"))
        return say(QStringLiteral("%1: assign is auto (the softest shaft to the longest club) or listed, not \"%2\"").arg(kOption, assign), 2);

    const Result<BenchGeometry> geometry = GeometryArgument(geometryItems.join(QLatin1Char(',')), kOption);
    if (!geometry)
        return say(geometry.message(), 1);
    s.geometry = *geometry;
    BenchGeometry rigid = s.geometry;
    rigid.compliance = 0.0;
    if (const EiCurve probe = ConvertToEi({RowPoint{1, 0.0, 1.0}}, rigid); !probe.ok())
        return say(QStringLiteral("%1 %2: %3").arg(kOption, text, probe.refusal), 1);

    const LengthUnit unit = s.geometry.lengthUnit;
    std::optional<LengthUnit> unitSeen = unit;
    SetRequest& rq = s.request;
    rq = DefaultSetRequest(unit);
    rq.tipWeightStep = 0.0;
    rq.assignment = assign == QLatin1String("auto") ? SetAssignment::SoftestToLongest : SetAssignment::AsListed;
    for (const QString& key : lengthKeys()) {
        if (!values.contains(key))
            continue;
        const auto v = LengthArgument(values.value(key), unitSeen);
        if (!v)
            return say(QStringLiteral("%1: %2=%3: a length is a number in in or mm, e.g. 37in or 940mm").arg(kOption, key, values.value(key)), 1);
        double* slot = key == QLatin1String("clamp") ? &rq.meter.clamp
            : key == QLatin1String("first")          ? &rq.firstLength
            : key == QLatin1String("spacing")        ? &rq.spacing
            : key == QLatin1String("maxtiptrim")     ? &rq.maxTipTrim
            : key == QLatin1String("basetrim")       ? &rq.baseTipTrim
                                                     : &rq.meter.tipOffset;
        *slot = *v;
    }
    for (const QString& key : massKeys()) {
        if (!values.contains(key))
            continue;
        const QString t = values.value(key);
        const auto v = t.endsWith(QLatin1Char('g')) ? StrictDouble(t.chopped(1), QLocale::c()) : std::nullopt;
        if (!v)
            return say(QStringLiteral("%1: %2=%3: a weight is a number in g, e.g. 255g").arg(kOption, key, t), 1);
        (key == QLatin1String("tip") ? rq.meter.tipWeight : rq.tipWeightStep) = *v;
    }
    const QString slope = values.value(QStringLiteral("slope"));
    const auto v = StrictDouble(slope.endsWith(QLatin1String("cpm")) ? slope.chopped(3) : slope, QLocale::c());
    if (!v)
        return say(QStringLiteral("%1: slope=%2: the slope is a number of cpm a club, e.g. 4.3").arg(kOption, slope), 1);
    rq.slope = *v;
    return 0;
}

// A thousandth of a cpm: the root is sought to a hundredth, and digits
// below that are rounding that differs from one solve to the next.
QJsonValue cpmDifference(double v)
{
    return JsonNumber(std::round(v * 1000.0) / 1000.0 + 0.0);
}

QJsonObject clubJson(const SetClub& c, LengthUnit unit)
{
    QJsonObject o{{QStringLiteral("club"), c.club + 1},
                  {QStringLiteral("file"), c.name},
                  {QStringLiteral("length"), JsonNumber(c.length)},
                  {QStringLiteral("tiptrim"), JsonNumber(c.trims.tip)},
                  {QStringLiteral("butttrim"), JsonNumber(c.trims.butt)},
                  {QStringLiteral("tip_weight_g"), JsonNumber(c.tipWeight)},
                  {QStringLiteral("cpm"), c.hasCpm ? JsonNumber(c.cpm) : QJsonValue()},
                  {QStringLiteral("target_cpm"), JsonNumber(c.targetCpm)},
                  {QStringLiteral("off_line_cpm"), c.hasCpm ? cpmDifference(c.offLine()) : QJsonValue()},
                  {QStringLiteral("residual_cpm"), c.hasCpm ? cpmDifference(c.residual) : QJsonValue()},
                  {QStringLiteral("on_line"), c.onLine()}};
    if (const QString mark = SetClubMark(c, unit); !mark.isEmpty())
        o.insert(QStringLiteral("mark"), mark);
    return o;
}

} // namespace

bool IsSetBuildOption(const QString& option)
{
    return option == kOption;
}

int RunSetBuild(const QStringList& args)
{
    if (args.size() < 3)
        return say(QStringLiteral("%1 takes the bench geometry with the meter and the clubs, and the profile data files, "
                                  "longest club first").arg(kOption), 2);
    Settings s;
    if (const int status = parseSettings(args.at(1), s); status != 0)
        return status;
    SetRequest& rq = s.request;
    const LengthUnit unit = rq.unit;

    // Every file is read before anything is said, so one run names every
    // file that lacks something rather than the first.
    QStringList problems;
    for (const QString& path : args.mid(2)) {
        DataTable table;
        const Result<QString> note = LoadDataTable(path, false, table);
        if (!note) {
            problems << note.message();
            continue;
        }
        const Result<ShaftDetails> details = ShaftDetailsOf(*note, unit);
        if (!details) {
            problems << QStringLiteral("%1: %2 (lines \"Length: 41 in\" and \"Weight: 120 g\"; \"Balance: 22 in\" if known)").arg(path, details.message());
            continue;
        }
        const EiCurve ei = ConvertToEi(NumberRowsOf(table).points, s.geometry);
        if (!ei.ok()) {
            problems << path + QStringLiteral(": ") + ei.refusal;
            continue;
        }
        rq.shafts.push_back({path, EiRows(ei), *details});
    }
    if (!problems.isEmpty()) {
        for (const QString& p : problems)
            say(p, 1);
        return say(QStringLiteral("%1: no set built; %2 of %3 files cannot take part")
                       .arg(kOption).arg(problems.size()).arg(args.size() - 2), 1);
    }

    const SetBuild set = BuildSet(rq);
    if (!set.ok())
        return say(QStringLiteral("%1: %2").arg(kOption, set.refusal), 1);
    QJsonArray clubs;
    for (const SetClub& c : set.clubs)
        clubs.append(clubJson(c, unit));
    const QJsonObject json{{QStringLiteral("unit"), unit == LengthUnit::Inch ? QStringLiteral("in") : QStringLiteral("mm")},
                           {QStringLiteral("clubs"), clubs},
                           {QStringLiteral("slope"), JsonNumber(set.slope)},
                           {QStringLiteral("intercept"), JsonNumber(set.intercept)}};
    if (const Result<> written = WriteAllTo(STDOUT_FILENO, QJsonDocument(json).toJson(QJsonDocument::Indented)); !written)
        return say(QStringLiteral("standard output: %1").arg(written.message()), 1);
    return 0;
}

} // namespace tvconv
