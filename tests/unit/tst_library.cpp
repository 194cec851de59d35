// The shaft library on a real SQLite file and a real PostgreSQL server that
// the test starts itself: the same script of stores, searches and deletes on
// both, the files it must refuse and leave alone, two processes storing at
// once, a server that goes away in the middle, libraries of the version
// before kept as desktop text in either language brought up to date, and
// measurements stored on a desktop of one language read on one of another.
#include "Golden.h"
#include "PgServer.h"
#include "RawSql.h"
#include "analysis/MatchedSet.h"
#include "analysis/TableReadings.h"
#include "files/ProfileFile.h"
#include "library/LibraryImport.h"
#include "library/LibraryTables.h"
#include "library/ShaftLibrary.h"
#include "numbers/Numbers.h"
#include "tables/DataTable.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

#include <netinet/in.h>
#include <sys/stat.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tarvex;
using tarvex::testing::PgServer;
using tarvex::testing::Sql;

namespace {

// One line of tests/golden/library.txt against `lib`. Shafts and their last
// measurement are known by label, so that the output holds no ids (a
// PostgreSQL sequence does not give back the numbers of a failed insert).
struct Script {
    ShaftLibrary& lib;
    QMap<QString, Shaft> shafts;
    QMap<QString, Measurement> last;

    QString labelsOf(const std::vector<LibraryEntry>& entries)
    {
        QStringList out;
        for (const LibraryEntry& e : entries)
            out << e.shaft.label + QLatin1Char('/') + KindName(e.kind);
        return out.join(QLatin1Char(' '));
    }

    QString run(const QStringList& raw)
    {
        QStringList in;
        for (const QString& text : raw)
            in << golden::expand(text).replace(QChar(0x2400), QChar(0));
        const QString& op = in.value(0);
        if (op == QLatin1String("guess")) {   // file name | note: the fields an import takes from them
            Shaft s;
            GuessShaftFields(in.value(1), golden::expand(in.value(2)), s);
            return QStringList{s.maker, s.model, s.flex, s.weightGrams ? QString::number(*s.weightGrams) : QString(),
                               s.lengthInches ? QString::number(*s.lengthInches) : QString(), s.customer}.join(QStringLiteral(" / "));
        }
        if (op == QLatin1String("shaft")) {   // label | maker | model | flex | weight | length | customer | notes
            Shaft& s = shafts[in.value(1)];
            s.label = in.value(1), s.maker = in.value(2), s.model = in.value(3), s.flex = in.value(4);
            s.weightGrams = in.value(5).isEmpty() ? std::nullopt : std::optional<double>(in.value(5).toDouble());
            s.lengthInches = in.value(6).isEmpty() ? std::nullopt : std::optional<double>(in.value(6).toDouble());
            s.customer = in.value(7), s.notes = in.value(8);
            const Result<> r = lib.storeShaft(s);
            return r.ok() ? QStringLiteral("kept") : r.message();
        }
        if (op == QLatin1String("measure")) {   // label | kind | taken | note | rows x,y;x,y | spine %
            Measurement m;
            m.kind = in.value(2) == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
            m.takenAt = QDateTime::fromString(in.value(3), Qt::ISODateWithMs);
            m.note = in.value(4);
            m.heading0 = QStringLiteral("X «in»"), m.heading1 = QStringLiteral("Y; 'lbf'");
            m.loadUnit = QStringLiteral("lbf"), m.bench = QStringLiteral("bench 1");
            for (const QString& row : in.value(5).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                m.rows.emplace_back(row.section(QLatin1Char(','), 0, 0), row.section(QLatin1Char(','), 1));
            if (!in.value(6).isEmpty())
                m.spine = StoredSpine{in.value(6).toDouble(), 40, 130, 0.3, 200, QStringLiteral("consumer")};
            const Result<> r = lib.store(shafts[in.value(1)], m);
            last[in.value(1)] = m;
            return r.ok() ? QStringLiteral("kept") : r.message();
        }
        if (op == QLatin1String("load")) {   // label: the last measurement and its shaft, field by field
            const Measurement& m = last[in.value(1)];
            const auto loaded = lib.loadWithShaft(m.id);
            if (!loaded)
                return loaded.message();
            const auto& [back, s] = *loaded;
            const Shaft& w = shafts[in.value(1)];
            QStringList differ;
            const auto check = [&differ](const char* what, bool same) { if (!same) differ << QLatin1String(what); };
            check("shaft", s.maker == w.maker && s.model == w.model && s.flex == w.flex && s.label == w.label
                               && s.customer == w.customer && s.notes == w.notes && s.weightGrams == w.weightGrams
                               && s.lengthInches == w.lengthInches);
            check("kind", back.kind == m.kind);
            check("texts", back.note == m.note && back.heading0 == m.heading0 && back.heading1 == m.heading1
                               && back.loadUnit == m.loadUnit && back.bench == m.bench);
            check("rows", back.rows == m.rows);
            check("spine", back.spine.has_value() == m.spine.has_value()
                               && (!m.spine || (back.spine->spinePercent == m.spine->spinePercent && back.spine->grade == m.spine->grade)));
            return (differ.isEmpty() ? QStringLiteral("same") : QStringLiteral("differs: ") + differ.join(QLatin1Char(' ')))
                + QStringLiteral(", taken ") + back.takenAt.toString(Qt::ISODateWithMs);
        }
        if (op == QLatin1String("search")) {   // text | maker | model | flex | customer | kind | from | to
            LibraryQuery q{in.value(1), in.value(2), in.value(3), in.value(4), in.value(5), {},
                           QDateTime::fromString(in.value(7), Qt::ISODate), QDateTime::fromString(in.value(8), Qt::ISODate)};
            if (!in.value(6).isEmpty())
                q.kind = in.value(6) == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
            const auto found = lib.search(q);
            return found ? labelsOf(*found) : found.message();
        }
        if (op == QLatin1String("choices")) {   // the filters' lists: maker / model / flex
            QStringList out;
            for (const ShaftField field : {ShaftField::Maker, ShaftField::Model, ShaftField::Flex})
                out << lib.choices(field).value_or(QStringList{QStringLiteral("?")}).join(QLatin1Char(','));
            return out.join(QStringLiteral(" / "));
        }
        if (op == QLatin1String("delete")) {   // label: its last measurement
            const Result<> r = lib.deleteMeasurement(last[in.value(1)].id);
            return (r.ok() ? QStringLiteral("gone") : r.message())
                + QStringLiteral(", %1 shafts left").arg(golden::must(lib.shafts()).size());
        }
        return QStringLiteral("unknown operation ") + op;
    }
};

LibraryQuery holding(const QString& text)
{
    LibraryQuery q;
    q.text = text;
    return q;
}

QByteArray digest(const QString& path)
{
    return QCryptographicHash::hash(golden::fileBytes(path), QCryptographicHash::Sha256).toHex().left(12);
}

// Two copies of this program storing `n` measurements each, one transaction
// apiece, into the library at `location` at once; every one must arrive.
void storeFromTwoProcesses(const QString& location, int n)
{
    QProcess a, b;
    for (QProcess* p : {&a, &b})
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--store"), location, QString::number(n), p == &a ? QStringLiteral("a") : QStringLiteral("b")});
    for (QProcess* p : {&a, &b}) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    ShaftLibrary lib(location);
    for (const QString& tag : {QStringLiteral("writer a"), QStringLiteral("writer b")}) {
        const auto found = lib.search(holding(tag));
        QVERIFY(found.ok());
        QCOMPARE(int(found->size()), n);
    }
}

int storeMany(const QString& location, int n, const QString& tag)
{
    ShaftLibrary lib(location);
    for (int i = 0; i < n; ++i) {
        Shaft s{0, QStringLiteral("writer ") + tag, {}, {}, {}, {}, QString::number(i), {}, {}};
        Measurement m;
        m.rows = {{QStringLiteral("1"), QString::number(i)}};
        if (const Result<> r = lib.store(s, m); !r.ok())
            return qCritical("%s", qPrintable(r.message())), 1;
    }
    return 0;
}


// Runs the statements named `name` of tests/golden/library-sql.txt on the
// library at `location`, "{.}" standing for `separator`.
void runSql(const QString& location, const QString& name, const QString& separator = QStringLiteral("."))
{
    Sql sql(location);
    for (const QString& line : QString::fromUtf8(golden::read(QStringLiteral("library-sql.txt"))).split(QLatin1Char('\n')))
        if (line.section(QStringLiteral(" | "), 0, 0) == name)
            sql(golden::field(line.section(QStringLiteral(" | "), 1)).replace(QStringLiteral("{.}"), separator));
}

// A library of the version before, its rows kept as the text the desktop
// that stored them showed: "10,25" where the comma is the decimal separator.
// Measurement 3 holds a cell that reads as a number in neither language.
void makeVersion2(const QString& location, bool comma)
{
    { ShaftLibrary old(location, 2); }
    runSql(location, QStringLiteral("v2"), comma ? QStringLiteral(",") : QStringLiteral("."));
}

// What a version-2 library reads as once brought up to date, one line per
// measurement: its rows as this desktop shows them and whether its data file
// holds exactly those numbers.
QString afterMigration(ShaftLibrary& lib)
{
    QStringList out{QStringLiteral("v%1").arg(lib.schemaVersion()), lib.migrationNotes().join(QLatin1Char('/'))};
    for (qint64 id = 1; id <= 3; ++id) {
        const auto loaded = lib.loadMeasurement(id);
        if (!loaded) {
            out << loaded.message();
            continue;
        }
        const Measurement& m = *loaded;
        QStringList cells;
        for (const auto& [x, y] : m.rows)
            cells << x + QLatin1Char(' ') + y;
        const auto values = DataFileRows(m.kind, m.dataFile);
        out << QStringLiteral("%1: %2 | %3").arg(id).arg(cells.join(QStringLiteral("; ")),
                                                       values ? QStringLiteral("file of %1 rows").arg(values->size())
                                                            : QStringLiteral("no file, damaged: ") + m.damaged);
    }
    LibraryQuery all;
    const auto found = lib.search(all);
    out << (found ? QStringLiteral("%1 listed").arg(found->size()) : QStringLiteral("no list"));
    // The customer's folded copy is made for the shafts already there.
    all.customer = QStringLiteral("o'NEIL");
    const auto makers = lib.choices(ShaftField::Maker);
    out.last() += QStringLiteral("; %1 of o'NEIL; maker %2").arg(lib.count(all).value_or(-1))
                      .arg(makers ? makers->join(QLatin1Char(',')) : QStringLiteral("?"));
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The numbers of the measurements the language test stores: loads with more
// digits than a cell shows, so that a text in the wrong format would show.
std::vector<float> languageLoads(int shaft)
{
    std::vector<float> loads;
    for (int p = 0; p < 13; ++p)
        loads.push_back(float(10 + 0.5 * p + shaft * 0.0123 + 1.0 / 3.0));
    return loads;
}

// Child of acrossLanguages: stores as a tab on this desktop does, or reads
// back what the other desktop stored and checks it against the numbers.
int languageChild(const QString& action, const QString& location)
{
    ShaftLibrary lib(location);
    if (!lib.available())
        return qCritical("%s", qPrintable(lib.openMessage())), 1;
    const QString tag = QStringLiteral("lang-") + QLocale::system().decimalPoint();
    if (action == QLatin1String("store")) {
        for (int s = 0; s < 4; ++s) {
            DataTable table;
            table.setRows(14);
            table.setTextMatrix(0, 0, QStringLiteral("X")), table.setTextMatrix(0, 1, QStringLiteral("Y"));
            const std::vector<float> loads = languageLoads(s);
            for (int p = 0; p < 13; ++p) {
                table.setTextMatrix(p + 1, 0, ShortFloatText(float(2 * p)));
                table.setTextMatrix(p + 1, 1, ShortFloatText(loads[std::size_t(p)]));
            }
            Shaft shaft{0, tag, {}, {}, {}, {}, QString::number(s), {}, {}};
            Measurement m;
            TableIntoMeasurement(table, m);
            if (const Result<> r = lib.store(shaft, m); !r.ok())
                return qCritical("%s", qPrintable(r.message())), 1;
        }
        return 0;
    }
    // Stored on the other desktop: found by its tag, shown in this one's format.
    const QString other = tag == QLatin1String("lang-.") ? QStringLiteral("lang-,") : QStringLiteral("lang-.");
    const auto found = lib.search(holding(other));
    if (!found || found->size() != 4)
        return qCritical("found %d of 4: %s", found ? int(found->size()) : 0, qPrintable(found.message())), 1;
    std::vector<std::vector<RowPoint>> curves;
    for (const LibraryEntry& e : *found) {
        const auto loaded = lib.loadMeasurement(e.measurementId);
        if (!loaded)
            return qCritical("%s", qPrintable(loaded.message())), 1;
        const Measurement& m = *loaded;
        ProfileRecord want;
        want.heading0 = QStringLiteral("X"), want.heading1 = QStringLiteral("Y");
        for (int p = 0; p < 13; ++p) {
            // What the other desktop's cell held, read as that desktop did.
            const float load = StrictFloat(ShortFloatText(languageLoads(e.shaft.label.toInt())[std::size_t(p)], QLocale::c()), QLocale::c()).value;
            want.x.push_back(float(2 * p)), want.y.push_back(load);
            if (m.rows.at(std::size_t(p)).second != ShortFloatText(load))
                return qCritical("row %d shows %s", p + 1, qPrintable(m.rows.at(std::size_t(p)).second)), 1;
        }
        want.x.push_back(0), want.y.push_back(0);
        if (m.dataFile != EncodeProfileRecord(want))
            return qCritical("measurement %lld: its data file is not the writer's", e.measurementId), 1;
        DataTable table;
        MeasurementIntoTable(m, table);
        curves.push_back(NumberRowsOf(table).points);
    }
    const MatchedSet set = MatchSet(curves);
    if (!set.ok())
        return qCritical("matched set: %s", qPrintable(set.refusal)), 1;
    return 0;
}

// A data file of floats no text keeps (NaN, infinities, the smallest
// denormal, 9 significant digits) stored and read back: the same bytes, and
// every row kept as a number the database can hold.
QString exactFile(ShaftLibrary& lib)
{
    const float inf = std::numeric_limits<float>::infinity();
    ProfileRecord rec;
    rec.x = {0, 1, 2, 3, 4, 0};
    rec.y = {std::numeric_limits<float>::quiet_NaN(), inf, -inf, std::numeric_limits<float>::denorm_min(), 79.996666f, 0};
    rec.heading0 = QStringLiteral("X"), rec.heading1 = QStringLiteral("Y");
    Shaft s{0, QStringLiteral("exact"), {}, {}, {}, {}, {}, {}, {}};
    Measurement m;
    m.dataFile = EncodeProfileRecord(rec);
    if (const Result<> r = lib.store(s, m); !r.ok())
        return r.message();
    const auto back = lib.loadDataFile(m.id);
    if (!back)
        return back.message();
    if (lib.findDataFile(m.dataFile).value_or(0) != m.id)
        return QStringLiteral("not found again by its bytes");
    const auto again = lib.loadMeasurement(m.id);
    return back->bytes == m.dataFile && again && again->rows.size() == 5 ? QString() : QStringLiteral("bytes or rows differ");
}

// Runs this program under `lang` (C, or de_DE.UTF-8 from the locale folder
// the build generates) as a language child; its complaint when it fails.
QString underLanguage(const QString& lang, const QString& action, const QString& location)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), lang);
    env.insert(QStringLiteral("LOCPATH"), qEnvironmentVariable("TARVEX_COMMA_LOCPATH"));
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--lang"), action, location});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return lang + QLatin1Char(' ') + action + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError());
    return {};
}

void acrossLanguages(const QString& location)
{
    for (const auto& [first, second] : {std::pair{"de_DE.UTF-8", "C"}, std::pair{"C", "de_DE.UTF-8"}}) {
        const QString stored = underLanguage(QLatin1String(first), QStringLiteral("store"), location);
        QVERIFY2(stored.isEmpty(), qPrintable(stored));
    }
    for (const char* lang : {"C", "de_DE.UTF-8"}) {
        const QString checked = underLanguage(QLatin1String(lang), QStringLiteral("check"), location);
        QVERIFY2(checked.isEmpty(), qPrintable(checked));
    }
}

} // namespace


class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void scriptOnSqlite()
    {
        QTemporaryDir dir;
        ShaftLibrary lib(dir.filePath(QStringLiteral("new/library.sqlite")));
        QVERIFY2(lib.available() && !lib.readOnly(), qPrintable(lib.openMessage()));
        Script script{lib, {}, {}};
        GOLDEN_VERIFY(golden::cases(QStringLiteral("library.txt"), [&](const QStringList& in) { return script.run(in); }));
    }

    // A file under each name the library may be given; whatever it is, what
    // the user reads and whether its bytes are as they were.
    void files()
    {
        GOLDEN_VERIFY(golden::cases(QStringLiteral("libraryfiles.txt"), [](const QStringList& in) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("library.sqlite"));
            const QString& kind = in.value(0);
            if (kind == QLatin1String("folder"))
                QDir().mkpath(path);
            else if (kind == QLatin1String("fifo"))
                ::mkfifo(qPrintable(path), 0644);
            else if (kind == QLatin1String("device"))
                QFile::link(QStringLiteral("/dev/null"), path);
            else if (kind == QLatin1String("sqlite"))
                Sql{path}(QStringLiteral("create table t(a)"));
            else if (kind == QLatin1String("text"))
                golden::writeFile(path, "SQLite 3 is not this\n");
            if (kind == QLatin1String("damaged") || kind.startsWith(QLatin1String("readonly")) || kind == QLatin1String("newer")
                || kind == QLatin1String("v1") || kind == QLatin1String("foreign")) {
                {
                    const bool older = kind == QLatin1String("v1") || kind == QLatin1String("readonly v3");
                    ShaftLibrary old(path, kind == QLatin1String("v1") ? 1 : older ? kLibraryReadableSchema : kLibrarySchemaVersion);
                    Shaft s{0, QStringLiteral("Ærø"), QStringLiteral("X"), QStringLiteral("S"), 112.5, 45, QStringLiteral("7i"),
                            QStringLiteral("O'Neil"), {}};
                    Measurement m;
                    if (!older)
                        golden::must(old.store(s, m));
                }
                runSql(path, kind);
            }
            if (kind == QLatin1String("damaged")) {
                QFile f(path);
                f.open(QIODevice::ReadWrite);
                f.seek(100);
                f.write(QByteArray(300, '\x5a'));
            }
            if (kind == QLatin1String("readonly") || kind == QLatin1String("readonly v3"))
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
            if (kind == QLatin1String("readonly folder"))
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            // Reading a pipe would wait for a writer: only whether it is one still.
            const bool pipe = kind == QLatin1String("fifo");
            const auto state = [&] {
                struct stat st{};
                return pipe ? QByteArray(::stat(qPrintable(path), &st) == 0 && S_ISFIFO(st.st_mode) ? "pipe" : "gone") : digest(path);
            };
            const QByteArray before = state();
            ShaftLibrary lib(path);
            QString said = lib.openMessage().replace(QDir::toNativeSeparators(path), QStringLiteral("FILE"));
            QStringList out{lib.available() ? (lib.readOnly() ? QStringLiteral("read-only") : QStringLiteral("open"))
                                            : QStringLiteral("unavailable"),
                            said.isEmpty() ? QStringLiteral("-") : said};
            if (lib.available()) {
                const auto found = lib.search(holding(QStringLiteral("o'neil")));
                out << (found ? QStringLiteral("found %1, v%2").arg(found->size()).arg(lib.schemaVersion()) : found.message());
                Shaft s;
                Measurement m;
                const Result<> stored = lib.store(s, m);
                out << (stored.ok() ? QStringLiteral("stores") : QStringLiteral("refuses to store"));
            }
            if (kind != QLatin1String("v1") && kind != QLatin1String("none"))
                out << (state() == before ? QStringLiteral("bytes kept") : QStringLiteral("BYTES CHANGED"));
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            return out.join(QStringLiteral(" | "));
        }));
    }

    // Version-2 libraries written on desktops of either language come up to
    // date with their numbers, and a cell that reads neither way is kept.
    void migrateFromVersion2OnSqlite()
    {
        for (const bool comma : {true, false}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("old.sqlite"));
            makeVersion2(path, comma);
            ShaftLibrary lib(path);
            QVERIFY2(lib.available(), qPrintable(lib.openMessage()));
            GOLDEN_VERIFY(golden::compare(QStringLiteral("library-migrated.txt"), afterMigration(lib).toUtf8()));
            Sql sql(path);
            QVERIFY2(!sql(QStringLiteral("SELECT * FROM measurement_rows")), "the text rows are still there");
        }
    }

    // Stored on a desktop of one language, read, matched and written back on
    // one of the other, both ways.
    void acrossLanguagesOnSqlite()
    {
        if (qEnvironmentVariable("TARVEX_COMMA_LOCPATH").isEmpty())
            QSKIP("run through ctest, which makes the decimal-comma locale");
        QTemporaryDir dir;
        acrossLanguages(dir.filePath(QStringLiteral("shared.sqlite")));
    }

    // Another program in the middle of a write: the library opens, lists and
    // reads at once, without waiting for it.
    void readsWhileAnotherWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("busy.sqlite"));
        {
            ShaftLibrary lib(path);
            Shaft s{0, QStringLiteral("busy"), {}, {}, {}, {}, {}, {}, {}};
            Measurement m;
            m.rows = {{QStringLiteral("1"), QStringLiteral("2")}};
            QVERIFY(lib.store(s, m).ok());
        }
        Sql writer(path);
        QVERIFY(writer(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(writer(QStringLiteral("INSERT INTO shafts (maker, model, flex, label, customer, notes) VALUES ('a', '', '', '', '', '')")));
        ShaftLibrary lib(path);
        QVERIFY2(lib.available(), qPrintable(lib.openMessage()));
        const auto found = lib.search(holding(QStringLiteral("busy")));
        QVERIFY2(found.ok(), qPrintable(found.message()));
        QCOMPARE(int(found->size()), 1);
        QVERIFY(lib.loadMeasurement(found->front().measurementId).ok());
        QVERIFY(writer(QStringLiteral("ROLLBACK")));
    }

    void exactOnSqlite()
    {
        QTemporaryDir dir;
        ShaftLibrary lib(dir.filePath(QStringLiteral("exact.sqlite")));
        QCOMPARE(exactFile(lib), QString());
    }

    void twoWritersOnSqlite()
    {
        QTemporaryDir dir;
        storeFromTwoProcesses(dir.filePath(QStringLiteral("shared.sqlite")), 60);
    }

    void postgres()
    {
        PgServer server;
        if (!server.ready())
            QSKIP("no PostgreSQL server could be started here (package postgresql)");
        {
            ShaftLibrary lib(server.url());
            QVERIFY2(lib.available(), qPrintable(lib.openMessage()));
            Script script{lib, {}, {}};
            GOLDEN_VERIFY(golden::cases(QStringLiteral("library.txt"), [&](const QStringList& in) { return script.run(in); }));
            QCOMPARE(exactFile(lib), QString());
        }
        storeFromTwoProcesses(server.url(), 30);

        for (const bool comma : {true, false}) {
            const QString name = comma ? QStringLiteral("v2comma") : QStringLiteral("v2point");
            QVERIFY(Sql(server.url())(QStringLiteral("CREATE DATABASE ") + name));
            const QString url = server.url().section(QLatin1Char('/'), 0, -2) + QLatin1Char('/') + name;
            makeVersion2(url, comma);
            ShaftLibrary lib(url);
            QVERIFY2(lib.available(), qPrintable(lib.openMessage()));
            GOLDEN_VERIFY(golden::compare(QStringLiteral("library-migrated.txt"), afterMigration(lib).toUtf8()));
        }
        if (!qEnvironmentVariable("TARVEX_COMMA_LOCPATH").isEmpty()) {
            QVERIFY(Sql(server.url())(QStringLiteral("CREATE DATABASE languages")));
            acrossLanguages(server.url().section(QLatin1Char('/'), 0, -2) + QStringLiteral("/languages"));
        }

        // The server goes away between two stores and comes back.
        ShaftLibrary lib(server.url());
        Shaft s{0, QStringLiteral("gone"), {}, {}, {}, {}, {}, {}, {}};
        Measurement m;
        QVERIFY(lib.store(s, m).ok());
        QVERIFY(server.stop());
        Measurement lost;
        const Result<> r = lib.store(s, lost);
        QVERIFY(!r.ok());
        QVERIFY2(r.message().startsWith(QLatin1String("The library")), qPrintable(r.message()));
        QCOMPARE(lost.id, 0);
        QVERIFY(server.start());
        Measurement again;
        const Result<> back = lib.store(s, again);
        QVERIFY2(back.ok(), qPrintable(back.message()));
        const auto found = lib.search(holding(QStringLiteral("gone")));
        QVERIFY(found.ok());
        QCOMPARE(int(found->size()), 2);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--lang")
        return languageChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 5 && QByteArray(argv[1]) == "--store")
        return storeMany(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]));
    TestLibrary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_library.moc"
