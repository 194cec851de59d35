// tvconv: bench data files to CSV or JSON for spreadsheets, and back.
#include "Convert.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

using namespace tvconv;

namespace {

const char* const kUsage =
    "usage: tvconv [--json] [--exact] FILE.tvl|FILE.tvp\n"
    "         print the data file as CSV (or JSON) on standard output\n"
    "       tvconv [--json] [--exact] --out-dir DIR FILE...\n"
    "         write DIR/<name>.csv (or .json) for every data file named\n"
    "       tvconv --build OUT.tvl|OUT.tvp [CSV]\n"
    "         build a data file from CSV (standard input when CSV is omitted or -)\n"
    "CSV: first line the two headings, then one line per row, then optionally an\n"
    "empty line and Note,\"text\". Numbers use \".\" as the decimal point and\n"
    "are printed as the program shows them (7 digits); --exact prints every\n"
    "digit of the stored value, so that --build gives the same bytes back.\n";

void say(const QString& text)
{
    std::fprintf(stderr, "tvconv: %s\n", text.toLocal8Bit().constData());
}

int usage(const QString& problem)
{
    say(problem);
    std::fputs(kUsage, stderr);
    return 2;
}

bool writeText(const QString& path, const QString& text)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text.toUtf8());
    return f.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }

    if (args.first() == QLatin1String("--build")) {
        if (args.size() < 2 || args.size() > 3)
            return usage(QStringLiteral("--build takes the output file and at most one CSV file"));
        QByteArray csv;
        const QString source = args.size() == 3 ? args.at(2) : QStringLiteral("-");
        if (source == QLatin1String("-")) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly))
                return say(QStringLiteral("cannot read standard input")), 1;
            csv = in.readAll();
        } else {
            QFile in(source);
            if (!in.open(QIODevice::ReadOnly))
                return say(QStringLiteral("%1: cannot read it").arg(source)), 1;
            csv = in.readAll();
        }
        QString error;
        if (!CsvToDataFile(QString::fromUtf8(csv), args.at(1), &error)) {
            say(source == QLatin1String("-") ? error : source + QStringLiteral(": ") + error);
            return 1;
        }
        return 0;
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
    if (!outDir.isEmpty() && !QFileInfo(outDir).isDir())
        return say(QStringLiteral("%1: no such folder").arg(outDir)), 1;

    int failures = 0;
    for (const QString& file : files) {
        QString error;
        const auto text = DataFileToText(file, format, digits, &error);
        if (!text) {
            say(error);
            ++failures;
            continue;
        }
        if (outDir.isEmpty()) {
            std::fputs(text->toUtf8().constData(), stdout);
            continue;
        }
        const QString target = QDir(outDir).filePath(QFileInfo(file).fileName()
                                                     + (format == Format::Json ? QStringLiteral(".json")
                                                                               : QStringLiteral(".csv")));
        if (!writeText(target, *text)) {
            say(QStringLiteral("%1: cannot write it").arg(target));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
