// tvconv: bench data files to CSV or JSON for spreadsheets, and back.
#include "Analyze.h"
#include "Convert.h"
#include "Library.h"
#include "SetBuild.h"
#include "files/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <unistd.h>

using namespace tvconv;

namespace {

const char* const kUsage =
    "usage: tvconv [--json] [--exact] FILE.tvl|FILE.tvp\n"
    "         print the data file as CSV (or JSON) on standard output\n"
    "       tvconv [--json] [--exact] --out-dir DIR FILE...\n"
    "         write DIR/<name>.csv (or .json) for every data file named\n"
    "       tvconv --build OUT.tvl|OUT.tvp [CSV]\n"
    "         build a data file from CSV (standard input when CSV is omitted or -)\n"
    "       tvconv --analyze FILE.tvp\n"
    "         spine and bend of a polar file, as JSON\n"
    "       tvconv --ei span=15in,deflection=0.1in,load=lbf[,compliance=0.001in] FILE.tvl\n"
    "         EI of every row and the zone figures of a profile file, as JSON; lengths\n"
    "         in in or mm (the positions in the span's unit), loads in kg, lbf or N;\n"
    "         compliance: the bench's own give per load unit (default 0)\n"
    "       tvconv --cpm span=15in,deflection=0.1in,load=lbf,length=41in,clamp=5in,tip=255g,\n"
    "             weight=120g[,balance=22in][,offset=0.5in][,tiptrim=1in][,butttrim=0.5in] FILE.tvl\n"
    "         the frequency a meter would read (cpm) with the shaft clamped at the butt and\n"
    "         a weight on the tip, the free length, how much of it lies outside the rows\n"
    "         at either end, the bend and kick points from the tip, as JSON; lengths in\n"
    "         in or mm (in the span's unit), weights in g; balance: the balance point\n"
    "         from the tip; offset: the tip weight's centre beyond the tip\n"
    "       tvconv --build-set span=15in,deflection=0.1in,load=lbf,clamp=5in,tip=255g,first=37in,\n"
    "             spacing=0.5in,slope=4.3[,tipstep=7g][,maxtiptrim=3in][,basetrim=1in][,assign=auto] FILE.tvl...\n"
    "         a set of irons, longest club first: each shaft's tip and butt trims solved\n"
    "         so that the predicted frequencies (cpm) rise by `slope` a club, each next\n"
    "         club `spacing` shorter and its tip weight `tipstep` heavier, as JSON; each\n"
    "         file's note gives \"Length:\", \"Weight:\" and optionally \"Balance:\";\n"
    "         assign=auto gives the softest shaft to the longest club (default: as listed)\n"
    "       tvconv --compare REF.tvl FILE.tvl\n"
    "         the loads of FILE as percent difference from REF at each position, as JSON\n"
    "       tvconv --set A.tvl B.tvl C.tvl ...\n"
    "         a matched set: each profile's residual from the set's median load at every\n"
    "         position, its robust z, whether it is flagged, and the order from the\n"
    "         softest to the stiffest, as JSON (with a note when the set is too small to\n"
    "         flag a shaft where the others agree exactly); positions match by value\n"
    "       tvconv --library import DIR | list [TEXT] | export ID FILE\n"
    "         the shaft library (TARVEX_LIBRARY: a file, or postgresql://user@host:port/db):\n"
    "         import every data file of DIR in one go (a file that does not read is\n"
    "         named and skipped), list the measurements kept (holding TEXT), or write\n"
    "         one back into a data file\n"
    "CSV: first line the two headings, then one line per row, then optionally an\n"
    "empty line and Note,\"text\". Numbers use \".\" as the decimal point and\n"
    "are printed as the program shows them (7 digits); --exact prints the\n"
    "shortest text that reads back as the stored value (-0 as \"-0\"), so that\n"
    "--build gives the same bytes back for every finite number.\n";

void say(const QString& text)
{
    // Standard error is the last place left to say anything: a failure to
    // write there has nowhere to go.
    (void)tarvex::WriteAllTo(STDERR_FILENO, "tvconv: " + text.toLocal8Bit() + '\n');
}

int usage(const QString& problem)
{
    say(problem);
    (void)tarvex::WriteAllTo(STDERR_FILENO, kUsage);
    return 2;
}

int build(const QString& outPath, const QString& source)
{
    const bool standardInput = source == QLatin1String("-");
    int fd = STDIN_FILENO;
    if (!standardInput) {
        const tarvex::Result<int> opened = OpenInput(source, false);
        if (!opened)
            return say(opened.message()), 1;
        fd = *opened;
    }
    const tarvex::Result<> built = CsvToDataFile(fd, outPath);
    if (!standardInput)
        ::close(fd);
    if (!built) {
        say((standardInput ? QStringLiteral("standard input: ") : source + QStringLiteral(": ")) + built.message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(QStringLiteral("nothing to do"));
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        if (const tarvex::Result<> written = tarvex::WriteAllTo(STDOUT_FILENO, kUsage); !written)
            return say(QStringLiteral("standard output: %1").arg(written.message())), 1;
        return 0;
    }

    if (IsLibraryOption(args.first()))
        return RunLibrary(args);
    if (IsSetBuildOption(args.first()))
        return RunSetBuild(args);
    if (IsAnalysisOption(args.first()))
        return RunAnalysis(args);
    if (args.first() == QLatin1String("--build")) {
        if (args.size() < 2 || args.size() > 3)
            return usage(QStringLiteral("--build takes the output file and at most one CSV file"));
        return build(args.at(1), args.size() == 3 ? args.at(2) : QStringLiteral("-"));
    }

    Format format = Format::Csv;
    Digits digits = Digits::Shown;
    QString outDir;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--json")) {
            format = Format::Json;
        } else if (a == QLatin1String("--exact")) {
            digits = Digits::Exact;
        } else if (a == QLatin1String("--out-dir")) {
            if (++i >= args.size())
                return usage(QStringLiteral("--out-dir needs a folder"));
            outDir = args.at(i);
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(QStringLiteral("unknown option %1").arg(a));
        } else {
            files << a;
        }
    }
    if (files.isEmpty())
        return usage(QStringLiteral("no data file named"));
    if (outDir.isEmpty() && files.size() > 1)
        return usage(QStringLiteral("several files need --out-dir"));

    if (outDir.isEmpty()) {
        const auto text = DataFileToText(files.first(), format, digits);
        if (!text)
            return say(text.message()), 1;
        if (const tarvex::Result<> written = tarvex::WriteAllTo(STDOUT_FILENO, text->toUtf8()); !written)
            return say(QStringLiteral("standard output: %1").arg(written.message())), 1;
        return 0;
    }

    if (!QFileInfo(outDir).isDir())
        return say(QStringLiteral("%1: no such folder").arg(outDir)), 1;
    // Every output is named before anything is written: two inputs of one
    // name would otherwise leave only the second one's text, and a run that
    // stops half-way should not be what tells.
    QStringList targets;
    QHash<QString, QString> writer;   // where an output lands -> the input that makes it
    for (const QString& file : files) {
        const QString target = QDir(outDir).filePath(QFileInfo(file).fileName()
                                                     + (format == Format::Json ? QStringLiteral(".json")
                                                                               : QStringLiteral(".csv")));
        const QFileInfo info(target);
        const QString key = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if (writer.contains(key))
            return say(QStringLiteral("%1 and %2 would both be written to %3; nothing was written")
                           .arg(writer.value(key), file, target)),
                   2;
        writer.insert(key, file);
        targets << target;
    }
    int failures = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const auto text = DataFileToText(files.at(i), format, digits);
        if (!text) {
            say(text.message());
            ++failures;
            continue;
        }
        if (const tarvex::Result<> written = tarvex::WriteFileSafely(targets.at(i), text->toUtf8()); !written) {
            say(QStringLiteral("%1: cannot write it: %2").arg(targets.at(i), written.message()));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
