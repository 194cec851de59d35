#include "Analyze.h"

#include "Convert.h"
#include "analysis/Frequency.h"
#include "analysis/SpineAnalysis.h"
#include "analysis/Stiffness.h"
#include "files/DataRecord.h"
#include "files/OpenSave.h"
#include "files/SafeWrite.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>
#include <unistd.h>

using namespace tarvex;

namespace tvconv {

namespace {

int fail(const QString& message)
{
    // Standard error is the last place left to say anything: a failure to
    // write there has nowhere to go.
    (void)WriteAllTo(STDERR_FILENO, "tvconv: " + message.toLocal8Bit() + '\n');
    return 1;
}

// A command line that does not say what to do: status 2, as for the other options.
int usage(const QString& message)
{
    fail(message);
    return 2;
}

QJsonValue number(double v)
{
    return JsonNumber(v);
}

// "15in", "381mm": the length in `unit`.
std::optional<double> length(const QString& text, std::optional<LengthUnit>& unit)
{
    const LengthUnit given = text.endsWith(QLatin1String("mm")) ? LengthUnit::Millimetre : LengthUnit::Inch;
    if (!text.endsWith(QLatin1String("mm")) && !text.endsWith(QLatin1String("in")))
        return {};
    const auto v = StrictDouble(text.chopped(2), QLocale::c());
    if (!v)
        return {};
    if (!unit)
        unit = given;
    if (given == *unit)
        return *v;
    return given == LengthUnit::Inch ? *v * 25.4 : *v / 25.4;
}

// span=15in,deflection=0.1in,load=lbf[,compliance=0.001in]: the span's unit
// is the unit of the others and of the file's positions.
Result<BenchGeometry> parseGeometry(const QString& text, const QString& option = QStringLiteral("--ei"))
{
    std::optional<LengthUnit> unit;
    QString span, deflection, load, compliance;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const QString value = item.section(QLatin1Char('='), 1);
        QString* slot = key == QLatin1String("span") ? &span
            : key == QLatin1String("deflection")     ? &deflection
            : key == QLatin1String("load")           ? &load
            : key == QLatin1String("compliance")     ? &compliance
                                                     : nullptr;
        if (!slot || !item.contains(QLatin1Char('=')))
            return Failure(QStringLiteral("%1: unknown setting \"%2\" (span, deflection, load, compliance)").arg(option, item));
        *slot = value;
    }
    if (span.isEmpty() || deflection.isEmpty() || load.isEmpty())
        return Failure(QStringLiteral("%1 needs span, deflection and load, e.g. span=15in,deflection=0.1in,load=lbf").arg(option));
    const auto s = length(span, unit);
    const auto d = length(deflection, unit);
    const auto c = compliance.isEmpty() ? std::optional<double>(0.0) : length(compliance, unit);
    if (!s || !d || !c)
        return Failure(QStringLiteral("%1: span, deflection and compliance are lengths in in or mm, e.g. 15in or 381mm").arg(option));
    BenchGeometry g;
    if (load == QLatin1String("kg"))
        g.loadUnit = LoadUnit::Kilogram;
    else if (load == QLatin1String("lbf"))
        g.loadUnit = LoadUnit::PoundForce;
    else if (load == QLatin1String("N"))
        g.loadUnit = LoadUnit::Newton;
    else
        return Failure(QStringLiteral("%1: the load unit is kg, lbf or N, not \"%2\"").arg(option, load));
    g.lengthUnit = *unit;
    g.span = *s;
    g.deflection = *d;
    g.compliance = *c;
    return g;
}

QJsonObject analyze(const SpineAnalysis& a)
{
    return {
        {QStringLiteral("mean"), number(a.mean)},
        {QStringLiteral("spine_angle"), number(a.spineAngle)},
        {QStringLiteral("nbp_angle"), number(a.nbpAngle)},
        {QStringLiteral("spine_percent"), number(a.spinePercent)},
        {QStringLiteral("bend_amplitude"), number(a.bendAmplitude)},
        {QStringLiteral("bend_angle"), number(a.bendAngle)},
        {QStringLiteral("bend_percent"), number(a.bendPercent)},
        {QStringLiteral("wobble_percent"), number(a.wobblePercent)},
        {QStringLiteral("spine_angle_sd"), number(a.spineAngleSd)},
        {QStringLiteral("spine_significant"), a.spineSignificant},
        {QStringLiteral("grade"), GradeName(a.grade)},
        {QStringLiteral("readings"), a.readings},
    };
}

int print(const QJsonObject& json)
{
    if (const Result<> written = WriteAllTo(STDOUT_FILENO, QJsonDocument(json).toJson(QJsonDocument::Indented)); !written)
        return fail(QStringLiteral("standard output: %1").arg(written.message()));
    return 0;
}

// span=15in,deflection=0.1in,load=lbf,length=41in,clamp=5in,tip=255g,weight=120g
// [,balance=22in][,offset=0.5in][,tiptrim=1in][,butttrim=0.5in][,compliance=...]:
// the settings a key at a time, checked as a whole; a missing or unknown key
// is a usage error, a value the prediction cannot take (a unit, a length the
// shaft cannot have) an impossible set-up.
int runCpm(const QStringList& args)
{
    if (args.size() != 3)
        return usage(QStringLiteral("--cpm takes the bench geometry with the shaft and meter, and one profile data file"));
    static const QStringList geometryKeys{QStringLiteral("span"), QStringLiteral("deflection"), QStringLiteral("load"), QStringLiteral("compliance")};
    static const QStringList lengthKeys{QStringLiteral("length"), QStringLiteral("clamp"), QStringLiteral("balance"),
                                        QStringLiteral("offset"), QStringLiteral("tiptrim"), QStringLiteral("butttrim")};
    static const QStringList massKeys{QStringLiteral("tip"), QStringLiteral("weight")};
    QStringList geometryItems;
    QHash<QString, QString> values;
    for (const QString& item : args.at(1).split(QLatin1Char(','))) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        if (!item.contains(QLatin1Char('=')) || (!geometryKeys.contains(key) && !lengthKeys.contains(key) && !massKeys.contains(key)))
            return usage(QStringLiteral("--cpm: unknown setting \"%1\" (span, deflection, load, compliance, length, clamp, tip, "
                                        "weight, balance, offset, tiptrim, butttrim)").arg(item));
        if (values.contains(key))
            return usage(QStringLiteral("--cpm: %1 is given twice").arg(key));
        values.insert(key, item.section(QLatin1Char('='), 1));
        if (geometryKeys.contains(key))
            geometryItems << item;
    }
    for (const char* key : {"span", "deflection", "load", "length", "clamp", "tip", "weight"})
        if (!values.contains(QLatin1String(key)))
            return usage(QStringLiteral("--cpm needs span, deflection, load, length, clamp, tip and weight, e.g. "
                                        "span=15in,deflection=0.1in,load=lbf,length=41in,clamp=5in,tip=255g,weight=120g"));
    const Result<BenchGeometry> parsed = parseGeometry(geometryItems.join(QLatin1Char(',')), QStringLiteral("--cpm"));
    if (!parsed)
        return fail(parsed.message());
    const BenchGeometry& geometry = *parsed;
    BenchGeometry rigid = geometry;
    rigid.compliance = 0.0;
    if (const EiCurve probe = ConvertToEi({RowPoint{1, 0.0, 1.0}}, rigid); !probe.ok())
        return fail(QStringLiteral("--cpm %1: %2").arg(args.at(1), probe.refusal));
    std::optional<LengthUnit> unit = geometry.lengthUnit;
    FrequencyInput in;
    in.unit = geometry.lengthUnit;
    const auto lengthOf = [&](const char* key, double fallback) -> std::optional<double> {
        const QString text = values.value(QLatin1String(key));
        return text.isEmpty() && !values.contains(QLatin1String(key)) ? std::optional<double>(fallback) : length(text, unit);
    };
    const auto gramsOf = [&](const char* key) -> std::optional<double> {
        const QString text = values.value(QLatin1String(key));
        return text.endsWith(QLatin1Char('g')) ? StrictDouble(text.chopped(1), QLocale::c()) : std::nullopt;
    };
    for (const QString& key : lengthKeys)
        if (values.contains(key) && !length(values.value(key), unit))
            return fail(QStringLiteral("--cpm: %1=%2: a length is a number in in or mm, e.g. 41in or 1041mm").arg(key, values.value(key)));
    for (const QString& key : massKeys)
        if (!gramsOf(qPrintable(key)))
            return fail(QStringLiteral("--cpm: %1=%2: a weight is a number in g, e.g. 255g").arg(key, values.value(key)));
    in.shaft.length = *lengthOf("length", 0.0);
    in.shaft.weight = *gramsOf("weight");
    if (values.contains(QStringLiteral("balance")))
        in.shaft.balance = *lengthOf("balance", 0.0);
    in.meter.clamp = *lengthOf("clamp", 0.0);
    in.meter.tipWeight = *gramsOf("tip");
    in.meter.tipOffset = *lengthOf("offset", 0.0);
    in.trims = {*lengthOf("tiptrim", 0.0), *lengthOf("butttrim", 0.0)};
    // The set-up alone is checked before the file is read: one EI row stands
    // in for the profile.
    FrequencyInput probe = in;
    probe.ei = {RowPoint{1, 0.0, 1.0}};
    if (const FrequencyPrediction p = PredictFrequency(probe); !p.ok())
        return fail(QStringLiteral("--cpm %1: %2").arg(args.at(1), p.refusal));

    const QString& path = args.last();
    DataTable table;
    if (const Result<QString> bad = LoadDataTable(path, false, table); !bad)
        return fail(bad.message());
    const TableReadings rows = NumberRowsOf(table);
    const EiCurve ei = ConvertToEi(rows.points, geometry);
    if (!ei.ok())
        return fail(path + QStringLiteral(": ") + ei.refusal);
    in.ei = EiRows(ei);
    const FrequencyPrediction p = PredictFrequency(in);
    if (!p.ok())
        return fail(path + QStringLiteral(": ") + p.refusal);
    QJsonArray skipped;
    for (const int r : rows.skippedRows)
        skipped.append(r);
    return print({{QStringLiteral("cpm"), number(p.cpm)},
                  {QStringLiteral("unit"), in.unit == LengthUnit::Inch ? QStringLiteral("in") : QStringLiteral("mm")},
                  {QStringLiteral("free_length"), number(p.freeLength)},
                  {QStringLiteral("extrapolated_tip"), number(p.extrapolatedTip)},
                  {QStringLiteral("extrapolated_butt"), number(p.extrapolatedButt)},
                  {QStringLiteral("bend_point"), number(p.bendPoint)},
                  {QStringLiteral("kick_point"), number(p.kickPoint)},
                  {QStringLiteral("tip_weight_g"), number(in.meter.tipWeight)},
                  {QStringLiteral("clamp"), number(in.meter.clamp)},
                  {QStringLiteral("skipped_rows"), skipped}});
}

} // namespace

// Six significant digits: the readings carry seven at most, and the last
// digits of a fit are rounding that would differ between machines.
QJsonValue JsonNumber(double v)
{
    if (!std::isfinite(v))
        return QJsonValue(QJsonValue::Null);
    return QString::number(v, 'g', 6).toDouble() + 0.0;
}

Result<QString> LoadDataTable(const QString& path, bool polar, DataTable& table)
{
    const QString kind = polar ? QStringLiteral("polar") : QStringLiteral("profile");
    if (FileTypeOf(path) != (polar ? QLatin1String("tvp") : QLatin1String("tvl")))
        return Failure(QStringLiteral("%1: not a %2 data file name (it must end in %3)")
                           .arg(path, kind, polar ? QStringLiteral("tvp") : QStringLiteral("tvl")));
    const Result<int> fd = OpenInput(path, true);
    if (!fd)
        return fd.error();
    QFile file;
    if (!file.open(*fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(*fd);
        return Failure(QStringLiteral("%1: cannot read it: %2").arg(path, file.errorString()));
    }
    if (const auto note = ReadDataRecord(file, polar, table))
        return *note;
    if (file.error() != QFileDevice::NoError)
        return Failure(QStringLiteral("%1: cannot read it: %2").arg(path, file.errorString()));
    return Failure(QStringLiteral("%1: not a %2 data file, or damaged").arg(path, kind));
}

bool IsAnalysisOption(const QString& option)
{
    return option == QLatin1String("--analyze") || option == QLatin1String("--ei") || option == QLatin1String("--compare")
        || option == QLatin1String("--cpm");
}

int RunAnalysis(const QStringList& args)
{
    const QString& option = args.first();
    if (option == QLatin1String("--cpm"))
        return runCpm(args);
    const qsizetype wanted = option == QLatin1String("--analyze") ? 2 : 3;
    if (args.size() != wanted)
        return usage(option == QLatin1String("--analyze") ? QStringLiteral("--analyze takes one polar data file")
                    : option == QLatin1String("--ei")    ? QStringLiteral("--ei takes the bench geometry and one profile data file")
                                                         : QStringLiteral("--compare takes the reference and one profile data file"));
    BenchGeometry geometry;
    if (option == QLatin1String("--ei")) {
        const Result<BenchGeometry> parsed = parseGeometry(args.at(1));
        if (!parsed)
            return usage(parsed.message());
        geometry = *parsed;
        // Well formed but out of range (span=1e308in): said of the argument
        // before any data file is read, rather than EIs of null for every row.
        // The bench's give depends on the loads, so it is left to the rows.
        BenchGeometry rigid = geometry;
        rigid.compliance = 0.0;
        const EiCurve probe = ConvertToEi({RowPoint{1, 0.0, 1.0}}, rigid);
        const double ei = probe.ok() ? probe.points.front().nM2 : 0.0;
        if (!probe.ok() || !std::isfinite(ei) || !(ei > 0) || !std::isfinite(probe.points.front().lbfIn2))
            return fail(QStringLiteral("--ei %1: %2").arg(args.at(1), probe.ok() ? QStringLiteral("the EI this geometry gives is out of range") : probe.refusal));
    }
    const QString& path = args.last();
    DataTable table;
    if (const Result<QString> bad = LoadDataTable(path, option == QLatin1String("--analyze"), table); !bad)
        return fail(bad.message());
    const TableReadings rows = NumberRowsOf(table);

    if (option == QLatin1String("--analyze")) {
        const SpineAnalysis a = AnalyzeSpine(rows.points);
        return a.ok() ? print(analyze(a)) : fail(path + QStringLiteral(": ") + a.refusal);
    }
    if (option == QLatin1String("--ei")) {
        const EiCurve ei = ConvertToEi(rows.points, geometry);
        const ZoneFigures z = EiZones(ei, geometry.lengthUnit);
        if (!ei.ok() || !z.ok())
            return fail(path + QStringLiteral(": ") + (ei.ok() ? z.refusal : ei.refusal));
        QJsonArray points, skipped;
        for (const EiPoint& p : ei.points)
            points.append(QJsonObject{{QStringLiteral("position"), number(p.position)},
                                      {QStringLiteral("load"), number(p.load)},
                                      {QStringLiteral("ei_lbf_in2"), number(p.lbfIn2)},
                                      {QStringLiteral("ei_n_m2"), number(p.nM2)},
                                      {QStringLiteral("ei_kgf_m2"), number(p.kgfM2)}});
        for (const int r : rows.skippedRows)
            skipped.append(r);
        return print({{QStringLiteral("rows"), points},
                      {QStringLiteral("skipped_rows"), skipped},
                      {QStringLiteral("tip"), number(z.tip)},
                      {QStringLiteral("mid"), number(z.mid)},
                      {QStringLiteral("butt"), number(z.butt)},
                      {QStringLiteral("butt_tip_ratio"), number(z.buttTipRatio)},
                      {QStringLiteral("slope_percent_per_in"), number(z.slopePercentPerIn)},
                      {QStringLiteral("stiffness_index"), number(z.stiffnessIndex)}});
    }
    DataTable reference;
    if (const Result<QString> bad = LoadDataTable(args.at(1), false, reference); !bad)
        return fail(bad.message());
    const CurveComparison c = CompareWithReference(NumberRowsOf(reference).points, rows.points);
    if (!c.ok())
        return fail(path + QStringLiteral(": ") + c.refusal);
    QJsonArray differences;
    for (const Difference& d : c.differences)
        differences.append(QJsonObject{{QStringLiteral("position"), number(d.position)},
                                       {QStringLiteral("difference_percent"), number(d.percent)}});
    return print({{QStringLiteral("rows"), differences},
                  {QStringLiteral("left_out"), c.leftOut},
                  {QStringLiteral("rms_percent"), number(c.rmsPercent)},
                  {QStringLiteral("max_percent"), number(c.maxPercent)},
                  {QStringLiteral("max_position"), number(c.maxPosition)}});
}

std::optional<double> LengthArgument(const QString& text, std::optional<LengthUnit>& unit)
{
    return length(text, unit);
}

Result<BenchGeometry> GeometryArgument(const QString& items, const QString& option)
{
    return parseGeometry(items, option);
}

} // namespace tvconv
