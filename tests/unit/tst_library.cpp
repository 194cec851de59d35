// The shaft library on a real SQLite file and a real PostgreSQL server that
// the test starts itself: the same script of stores, searches and deletes on
// both, the files it must refuse and leave alone, two processes storing at
// once, and a server that goes away in the middle.
#include "Golden.h"
#include "library/LibraryImport.h"
#include "library/ShaftLibrary.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tarvex;

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

    QString run(const QStringList& in)
    {
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
            return r.ok() ? QStringLiteral("kept") : r.message;
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
            return r.ok() ? QStringLiteral("kept") : r.message;
        }
        if (op == QLatin1String("load")) {   // label: the last measurement and its shaft, field by field
            const Measurement& m = last[in.value(1)];
            Measurement back;
            Shaft s;
            if (Result<> r = lib.loadMeasurement(m.id, back); !r.ok() || !(r = lib.loadShaft(back.shaftId, s)).ok())
                return r.message;
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
            std::vector<LibraryEntry> found;
            const Result<> r = lib.search(q, found);
            return r.ok() ? labelsOf(found) : r.message;
        }
        if (op == QLatin1String("delete")) {   // label: its last measurement
            const Result<> r = lib.deleteMeasurement(last[in.value(1)].id);
            std::vector<Shaft> all;
            lib.shafts(all);
            return (r.ok() ? QStringLiteral("gone") : r.message) + QStringLiteral(", %1 shafts left").arg(all.size());
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

int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
    ::close(s);
    return ntohs(a.sin_port);
}

// A PostgreSQL server of its own in a temporary folder, as the postgres user
// when the test runs as root (the server refuses to run as root).
class PgServer {
public:
    PgServer() : port_(freePort())
    {
        const QStringList found = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        bin_ = found.isEmpty() ? QString() : QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(found.last());
        if (bin_.isEmpty() || !dir_.isValid())
            return;
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (::getuid() == 0) {
            const passwd* pg = ::getpwnam("postgres");
            if (!pg || ::chown(qPrintable(dir_.path()), pg->pw_uid, pg->pw_gid) != 0)
                return;
            as_ = {QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")};
        }
        ready_ = pg("initdb -A trust -U postgres -N -E UTF8", {}) && start();
    }
    ~PgServer() { stop(); }
    bool ready() const { return ready_; }
    QString url() const { return QStringLiteral("postgresql://postgres@127.0.0.1:%1/postgres").arg(port_); }
    bool start()
    {
        return pg("pg_ctl -w start -l", {dir_.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                                         QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off").arg(port_).arg(dir_.path())});
    }
    bool stop() { return pg("pg_ctl -w stop -m immediate", {}); }

private:
    // `words`: the tool and its first arguments; the data folder follows them.
    bool pg(const char* words, const QStringList& more)
    {
        QStringList args = QString::fromLatin1(words).split(QLatin1Char(' '));
        const QString tool = args.takeFirst();
        QProcess p;
        const QStringList command = as_ + QStringList{bin_ + tool, QStringLiteral("-D"), dir_.filePath(QStringLiteral("data"))} + args + more;
        p.start(command.first(), command.mid(1));
        const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (!ok)
            qWarning("%s: %s", qPrintable(tool), p.readAllStandardError().constData());
        return ok;
    }
    int port_;
    QTemporaryDir dir_;
    QString bin_;
    QStringList as_;
    bool ready_ = false;
};

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
    std::vector<LibraryEntry> found;
    for (const QString& tag : {QStringLiteral("writer a"), QStringLiteral("writer b")}) {
        QVERIFY(lib.search(holding(tag), found).ok());
        QCOMPARE(int(found.size()), n);
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
            return qCritical("%s", qPrintable(r.message)), 1;
    }
    return 0;
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
            else if (kind == QLatin1String("text"))
                golden::writeFile(path, "SQLite 3 is not this\n");
            if (kind == QLatin1String("damaged") || kind == QLatin1String("readonly") || kind == QLatin1String("newer")
                || kind == QLatin1String("v1") || kind == QLatin1String("foreign")) {
                {
                    ShaftLibrary old(path, kind == QLatin1String("v1") ? 1 : kLibrarySchemaVersion);
                    Shaft s{0, QStringLiteral("Ærø"), QStringLiteral("X"), QStringLiteral("S"), 112.5, 45, QStringLiteral("7i"),
                            QStringLiteral("O'Neil"), {}};
                    Measurement m;
                    if (kind != QLatin1String("v1"))
                        old.store(s, m);
                }
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kind);
                db.setDatabaseName(path);
                db.open();
                QSqlQuery q(db);
                if (kind == QLatin1String("v1"))
                    q.exec(QStringLiteral("INSERT INTO shafts VALUES (1, 'Ærø', 'X', 'S', 112.5, 45, '7i', 'O''Neil', '')")),
                        q.exec(QStringLiteral("INSERT INTO measurements VALUES (1, 1, 'profile', 'X', 'Y', 'Ŝpine?', 'kg', "
                                              "'2026-01-02T03:04:05.678Z', NULL, NULL, NULL, NULL, NULL, NULL)")),
                        q.exec(QStringLiteral("INSERT INTO measurement_rows VALUES (1, 1, '3', '4')"));
                if (kind == QLatin1String("newer"))
                    q.exec(QStringLiteral("UPDATE schema_version SET version = 99"));
                if (kind == QLatin1String("foreign"))
                    q.exec(QStringLiteral("DROP TABLE schema_version"));
                q.finish();
                db.close();
                db = {};
                QSqlDatabase::removeDatabase(kind);
            }
            if (kind == QLatin1String("damaged")) {
                QFile f(path);
                f.open(QIODevice::ReadWrite);
                f.seek(100);
                f.write(QByteArray(300, '\x5a'));
            }
            if (kind == QLatin1String("readonly"))
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
            const QByteArray before = digest(path);
            ShaftLibrary lib(path);
            QString said = lib.openMessage().replace(QDir::toNativeSeparators(path), QStringLiteral("FILE"));
            QStringList out{lib.available() ? (lib.readOnly() ? QStringLiteral("read-only") : QStringLiteral("open"))
                                            : QStringLiteral("unavailable"),
                            said.isEmpty() ? QStringLiteral("-") : said};
            if (lib.available()) {
                std::vector<LibraryEntry> found;
                const Result<> r = lib.search(holding(QStringLiteral("o'neil")), found);
                out << (r.ok() ? QStringLiteral("found %1, v%2").arg(found.size()).arg(lib.schemaVersion()) : r.message);
                Shaft s;
                Measurement m;
                const Result<> stored = lib.store(s, m);
                out << (stored.ok() ? QStringLiteral("stores") : QStringLiteral("refuses to store"));
            }
            if (kind != QLatin1String("v1") && kind != QLatin1String("none"))
                out << (digest(path) == before ? QStringLiteral("bytes kept") : QStringLiteral("BYTES CHANGED"));
            return out.join(QStringLiteral(" | "));
        }));
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
        }
        storeFromTwoProcesses(server.url(), 30);

        // The server goes away between two stores and comes back.
        ShaftLibrary lib(server.url());
        Shaft s{0, QStringLiteral("gone"), {}, {}, {}, {}, {}, {}, {}};
        Measurement m;
        QVERIFY(lib.store(s, m).ok());
        QVERIFY(server.stop());
        Measurement lost;
        const Result<> r = lib.store(s, lost);
        QVERIFY(!r.ok());
        QVERIFY2(r.message.startsWith(QLatin1String("The library")), qPrintable(r.message));
        QCOMPARE(lost.id, 0);
        QVERIFY(server.start());
        Measurement again;
        const Result<> back = lib.store(s, again);
        QVERIFY2(back.ok(), qPrintable(back.message));
        std::vector<LibraryEntry> found;
        QVERIFY(lib.search(holding(QStringLiteral("gone")), found).ok());
        QCOMPARE(int(found.size()), 2);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--store")
        return storeMany(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]));
    TestLibrary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_library.moc"
