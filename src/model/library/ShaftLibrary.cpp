#include "library/ShaftLibrary.h"

#include "files/FileCommon.h"
#include "library/LibraryAddress.h"
#include "library/LibraryTables.h"
#include "numbers/Numbers.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <map>

namespace tarvex {

namespace {

// How long a write waits for another program's transaction on the same file.
constexpr int kBusyMilliseconds = 15000;

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'");

// Dates are kept as UTC text: it sorts and compares the same in both
// databases, and no driver converts it through a time zone.
QString timeText(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(kTimeFormat) : QString();
}

QDateTime timeFrom(const QString& text)
{
    // Read by position: parsing through the format is most of what reading
    // one measurement costs, and the library writes only this one form.
    const auto at = [&text](qsizetype from, qsizetype n) { return QStringView(text).mid(from, n).toInt(); };
    if (text.size() == 24 && text.at(10) == QLatin1Char('T') && text.at(23) == QLatin1Char('Z'))
        return QDateTime(QDate(at(0, 4), at(5, 2), at(8, 2)), QTime(at(11, 2), at(14, 2), at(17, 2), at(20, 3)), Qt::UTC);
    QDateTime t = QDateTime::fromString(text, kTimeFormat);
    t.setTimeSpec(Qt::UTC);
    return t;
}

QVariant optionalNumber(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> numberFrom(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

// Search is done on folded copies of the texts: the databases fold case of
// ASCII letters alone (SQLite) or not at all (PostgreSQL's LIKE), and a
// customer's name is as often Łukasz as Luke.
QString folded(const QStringList& texts)
{
    return texts.join(QLatin1Char('\n')).toCaseFolded();
}

QString shaftSearchText(const Shaft& s)
{
    return folded({s.maker, s.model, s.flex, s.label, s.customer, s.notes});
}

QString measurementSearchText(const QString& note, const QString& bench, const QString& h0, const QString& h1)
{
    return folded({note, bench, h0, h1});
}

// A search word longer than this is no word anybody typed, and a pattern of
// it would meet the databases' limits on LIKE patterns.
constexpr qsizetype kLongestSearchWord = 200;
constexpr qsizetype kMostSearchWords = 20;

// For the trigram index, which matches GLOB patterns; the texts and the
// words are folded already, so its own case folding is left off.
QString globPattern(const QString& text)
{
    QString p;
    for (const QChar c : text.toCaseFolded())
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            p += QLatin1Char('[') + c + QLatin1Char(']');
        else
            p += c;
    return QLatin1Char('*') + p + QLatin1Char('*');
}

QString likePattern(const QString& text)
{
    QString p = text.toCaseFolded();
    p.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    p.replace(QLatin1Char('%'), QLatin1String("\\%"));
    p.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + p + QLatin1Char('%');
}

// What the database says, without what PostgreSQL adds after its first line:
// the statement, with the values bound to it, which are the user's texts and
// no reason.
QString reason(const QSqlError& e)
{
    // The database's own first line says what went wrong; the driver's words
    // ("Unable to connect") only where the database said nothing.
    const QString said = e.databaseText().section(QLatin1Char('\n'), 0, 0).trimmed();
    return said.isEmpty() ? e.driverText().trimmed() : said;
}

QString dataHash(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QVariant optionalText(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// PostgreSQL cannot hold a NUL in a text; SQLite could, but a library must be
// movable from one to the other. The field is named so it can be found.
Result<> nulIn(const std::initializer_list<std::pair<const QString*, const char*>>& fields)
{
    for (const auto& [text, what] : fields)
        if (text->contains(QChar(0)))
            return Failure(QCoreApplication::translate("Library", "%1 holds a NUL character, which the library cannot keep").arg(QLatin1String(what)));
    return {};
}

Result<> shaftNul(const Shaft& s)
{
    return nulIn({{&s.maker, "the maker"}, {&s.model, "the model"}, {&s.flex, "the flex"}, {&s.label, "the label"},
                  {&s.customer, "the customer"}, {&s.notes, "the shaft's notes"}});
}

// The drivers bind a null QString as SQL NULL; an empty text is a text.
QVariant value(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString && !v.isNull() && v.toString().isNull())
        return QString::fromLatin1("", 0);
    return v;
}

// What the database says, as a failure.
Failure<> failed(const QSqlError& e)
{
    return Failure(reason(e));
}

// Runs a prepared query with its values; the database's reason when it fails.
Result<> run(QSqlQuery& q, const QString& sql, const QVariantList& values = {})
{
    if (!q.prepare(sql))
        return failed(q.lastError());
    for (const QVariant& v : values)
        q.addBindValue(value(v));
    if (!q.exec())
        return failed(q.lastError());
    return {};
}

// The same on a statement prepared before.
Result<> runPrepared(QSqlQuery& q, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, value(values[i]));
    if (!q.exec())
        return failed(q.lastError());
    return {};
}

const char* const kShaftColumns = "s.id, s.maker, s.model, s.flex, s.weight_g, s.length_in, s.label, s.customer, s.notes";

Shaft shaftFrom(const QSqlQuery& q, int at)
{
    Shaft s;
    s.id = q.value(at).toLongLong();
    s.maker = q.value(at + 1).toString();
    s.model = q.value(at + 2).toString();
    s.flex = q.value(at + 3).toString();
    s.weightGrams = numberFrom(q.value(at + 4));
    s.lengthInches = numberFrom(q.value(at + 5));
    s.label = q.value(at + 6).toString();
    s.customer = q.value(at + 7).toString();
    s.notes = q.value(at + 8).toString();
    return s;
}

} // namespace

QString KindName(MeasurementKind kind)
{
    return kind == MeasurementKind::Polar ? QStringLiteral("polar") : QStringLiteral("profile");
}

QString DefaultLibraryLocation()
{
    // The program's AppDataLocation, named here so that the converter, which
    // runs under its own application name, finds the same file.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kAppTitle
        + QStringLiteral("/library.sqlite");
}

QString LibraryLocation(const QString& configured)
{
    const QString env = qEnvironmentVariable("TARVEX_LIBRARY");
    if (!env.isEmpty())
        return env;
    return configured.isEmpty() ? DefaultLibraryLocation() : configured;
}

// BEGIN IMMEDIATE on SQLite takes the write lock at once: a deferred
// transaction that reads first and writes later can meet another writer in
// WAL mode and fail at once, without the busy timeout ever waiting.
class ShaftLibrary::Transaction {
public:
    Transaction(ShaftLibrary& library) : db_(QSqlDatabase::database(library.connection_, false)), postgres_(library.postgres_)
    {
        QSqlQuery q(db_);
        if (!q.exec(postgres_ ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
            began_ = failed(q.lastError());
        open_ = began_.ok();
    }
    ~Transaction()
    {
        if (open_)
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    Result<> began() const { return began_; }
    Result<> commit()
    {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("COMMIT")))
            return failed(q.lastError());
        open_ = false;
        return {};
    }

private:
    QSqlDatabase db_;
    bool postgres_;
    bool open_ = false;
    Result<> began_;
};

ShaftLibrary::ShaftLibrary(const QString& location, int schemaVersion) : location_(location)
{
    static std::atomic<int> serial{0};
    connection_ = QStringLiteral("tarvex-library-%1").arg(++serial);
    const QUrl url(location);
    postgres_ = url.scheme() == QLatin1String("postgresql") || url.scheme() == QLatin1String("postgres");
    const Result<> opened = open(schemaVersion);
    openMessage_ = opened.message();
    // Read-only, a library of this schema or a newer one can still be looked up in.
    available_ = opened.ok() || (readOnly_ && version_ >= kLibraryReadableSchema);
    if (!available_) {
        readOnly_ = false;
        QSqlDatabase::database(connection_, false).close();
    } else {
        QSqlQuery q(QSqlDatabase::database(connection_, false));
        textIndex_ = q.exec(postgres_ ? QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = 'measurements_search'")
                                      : QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'measurement_search'"))
            && q.next();
    }
}

ShaftLibrary::~ShaftLibrary()
{
    forgetPrepared();
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

Result<> ShaftLibrary::open(int schemaVersion)
{
    const Result<> connected = postgres_ ? openPostgres() : openSqlite();
    return connected ? prepareSchema(schemaVersion) : connected;
}

QString ShaftLibrary::displayName() const
{
    return postgres_ ? MaskedLocation(location_) : QDir::toNativeSeparators(location_);
}

Result<> ShaftLibrary::openSqlite()
{
    const QFileInfo info(location_);
    const QFileInfo folder(info.absolutePath());
    const QString name = displayName();
    bool fresh = true;
    if (info.exists() || info.isSymLink()) {
        if (info.isDir())
            return Failure(QCoreApplication::translate("Library", "The library %1 is a folder, not a file.").arg(name));
        // Opening a pipe waits for a writer for ever, and a device is nobody's
        // library: neither is opened at all.
        if (!info.isFile())
            return Failure(QCoreApplication::translate("Library", "The library %1 is not a regular file (a pipe, a device or a broken link). It was left as it is.").arg(name));
        QFile file(location_);
        if (!file.open(QIODevice::ReadOnly))
            return Failure(QCoreApplication::translate("Library", "The library %1 cannot be read: %2.").arg(name, file.errorString()));
        const QByteArray head = file.read(100);
        // An empty file is taken as a new library; anything else must be a
        // database already, or it is somebody's file under the wrong name.
        if (!head.isEmpty() && !head.startsWith(QByteArray("SQLite format 3\0", 16)))
            return Failure(QCoreApplication::translate("Library", "%1 is not a shaft library (not a database file). It was left as it is.").arg(name));
        fresh = head.isEmpty();
        wal_ = head.size() >= 20 && head.at(18) == 2 && head.at(19) == 2;
        // Root may write anything; a file or folder whose owner took away the
        // write permission is meant to be kept as it is, by root too.
        writableFile_ = info.isWritable() && (info.permissions() & QFileDevice::WriteOwner) && folder.isWritable()
            && (folder.permissions() & QFileDevice::WriteOwner);
        readOnly_ = !writableFile_;
    } else if (!QDir().mkpath(info.absolutePath())) {
        return Failure(QCoreApplication::translate("Library", "The folder of the library %1 cannot be made.").arg(name));
    } else {
        writableFile_ = true;
    }
    if (fresh && readOnly_)
        return Failure(QCoreApplication::translate("Library", "The library %1 is read-only and holds no library yet.").arg(name));
    if (fresh)
        return connectSqlite(true);

    // Looked at through a read-only connection first: nothing is written
    // before the file is known to be a library of ours.
    if (const Result<> why = connectSqlite(false); !why)
        return why;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    bool checked = q.exec(QStringLiteral("PRAGMA quick_check")) && q.next();
    // A library in WAL mode in a folder nobody may write has no shared-memory
    // file to read through; nobody can be writing it, so it is read as it is.
    if (!checked && wal_ && !writableFile_) {
        q = QSqlQuery();
        if (const Result<> why = connectSqlite(false, true); !why)
            return why;
        q = QSqlQuery(QSqlDatabase::database(connection_, false));
        checked = q.exec(QStringLiteral("PRAGMA quick_check")) && q.next();
    }
    if (!checked)
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be read (damaged, or not a database): %2. It was left as it is.")
            .arg(name, reason(q.lastError())));
    if (q.value(0).toString() != QLatin1String("ok"))
        return Failure(QCoreApplication::translate("Library", "The library %1 is damaged: %2. It was left as it is.").arg(name, q.value(0).toString()));
    return {};
}

Result<QSqlQuery*> ShaftLibrary::prepared(std::unique_ptr<QSqlQuery>& slot, const char* sql)
{
    if (!slot) {
        auto q = std::make_unique<QSqlQuery>(QSqlDatabase::database(connection_, false));
        q->setForwardOnly(true);
        if (!q->prepare(QString::fromLatin1(sql)))
            return failed(q->lastError());
        slot = std::move(q);
    }
    return slot.get();
}

void ShaftLibrary::forgetPrepared()
{
    measurementQuery_.reset();
    dataFileQuery_.reset();
    insertShaftQuery_.reset();
    insertMeasurementQuery_.reset();
    insertRowsQuery_.reset();
}

Result<> ShaftLibrary::connectSqlite(bool writing, bool immutable)
{
    forgetPrepared();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isValid())
        db.close();
    else
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid())
        return Failure(QCoreApplication::translate("Library", "The library needs Qt's SQLite driver (package libqt6sql6-sqlite), which is not installed."));
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds);
    if (!writing)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    if (immutable) {
        options += QStringLiteral(";QSQLITE_OPEN_URI");
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(location_).absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?immutable=1"));
    } else {
        db.setDatabaseName(location_);
    }
    db.setConnectOptions(options);
    if (!db.open())
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be opened: %2.").arg(displayName(), reason(db.lastError())));
    return {};
}

Result<> ShaftLibrary::openPostgres()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    if (!db.isValid())
        return Failure(QCoreApplication::translate("Library", "The library needs Qt's PostgreSQL driver (package libqt6sql6-psql), which is not installed."));
    const Result<LibraryAddress> parsed = ParseServerAddress(location_);
    if (!parsed)
        return parsed.error();
    const LibraryAddress& address = *parsed;
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setDatabaseName(address.database);
    db.setConnectOptions(address.connectOptions);
    if (!db.open())
        return Failure(QCoreApplication::translate("Library", "The library server %1 cannot be reached: %2.")
            .arg(MaskedLocation(location_), reason(db.lastError())));
    return {};
}

// The schema's version; 0 for an empty database, -1 for one holding tables
// of somebody else.
Result<> ShaftLibrary::readVersion(int& version)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const QString tablesSql = postgres_
        ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()")
        : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
    if (const Result<> why = run(q, tablesSql); !why)
        return why;
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    version = 0;
    if (tables.contains(QLatin1String("schema_version"))) {
        if (const Result<> why = run(q, QStringLiteral("SELECT MAX(version) FROM schema_version")); !why)
            return why;
        if (!q.next())
            return Failure(QCoreApplication::translate("Library", "no schema version"));
        version = q.value(0).toInt();
    } else if (!tables.isEmpty() && !postgres_) {
        version = -1;
    }
    return {};
}

Result<> ShaftLibrary::prepareSchema(int wanted)
{
    const QString name = displayName();
    int version = 0;
    if (const Result<> why = readVersion(version); !why)
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be read: %2. It was left as it is.").arg(name, why.message()));
    if (version < 0)
        return Failure(QCoreApplication::translate("Library", "%1 is a database, but not a shaft library. It was left as it is.").arg(name));
    if (version > kLibrarySchemaVersion) {
        version_ = version;
        readOnly_ = true;
        return Failure(QCoreApplication::translate("Library", "The library %1 was written by a newer version of the program (schema %2; this one knows %3). "
                                                              "It is open for looking up only; nothing can be stored in it.")
            .arg(name).arg(version).arg(kLibrarySchemaVersion));
    }
    const int target = std::max(wanted, 1);
    if (version >= target || readOnly_) {
        version_ = version;
        if (readOnly_ && version < 1)
            return Failure(QCoreApplication::translate("Library", "The library %1 is read-only and holds no library yet.").arg(name));
        if (readOnly_)
            return Failure(version < kLibraryReadableSchema
                ? QCoreApplication::translate("Library", "The library %1 is read-only and of an older version; it cannot be brought up to date.").arg(name)
                : QCoreApplication::translate("Library", "The library %1 is read-only: it is open for looking up only.").arg(name));
        // Nothing to change: the connection that stores later may write, but
        // opening it writes nothing.
        return postgres_ ? Result<>() : connectSqlite(true);
    }

    if (!postgres_) {
        if (const Result<> why = connectSqlite(true); !why)
            return why;
        // Switching a file to WAL takes it whole for a moment, and SQLite
        // answers "locked" at once rather than waiting through the busy
        // timeout: a second program opening the library then tries again.
        QSqlQuery q(QSqlDatabase::database(connection_, false));
        QElapsedTimer waited;
        waited.start();
        while (!wal_ && (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next())) {
            const QString code = q.lastError().nativeErrorCode();
            if ((code != QLatin1String("5") && code != QLatin1String("6")) || waited.elapsed() > kBusyMilliseconds)
                return Failure(QCoreApplication::translate("Library", "The library %1 cannot be opened for writing: %2.").arg(name, reason(q.lastError())));
            q.finish();
            QThread::msleep(20);
        }
        wal_ = true;
    }
    Transaction t(*this);
    if (!t.began())
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be written: %2.").arg(name, t.began().message()));
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    // Two programs that bring the schema up at once on one server take turns.
    if (postgres_ && !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7316420518)")))
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be locked: %2.").arg(name, reason(q.lastError())));
    // Read again inside the transaction: the other program may have done it.
    if (const Result<> why = readVersion(version); !why)
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be read: %2. It was left as it is.").arg(name, why.message()));
    if (version < 0)
        return Failure(QCoreApplication::translate("Library", "%1 is a database, but not a shaft library. It was left as it is.").arg(name));
    if (version < 1)
        if (const Result<> why = createSchema(1); !why)
            return Failure(QCoreApplication::translate("Library", "The library %1 cannot be created: %2.").arg(name, why.message()));
    QStringList notes;
    if (const Result<> why = migrate(std::max(version, 1), target, notes); !why)
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be brought up to date; it was left as it was: %2.").arg(name, why.message()));
    if (const Result<> why = t.commit(); !why)
        return Failure(QCoreApplication::translate("Library", "The library %1 cannot be written: %2.").arg(name, why.message()));
    migrationNotes_ = notes;
    version_ = std::max(version, target);
    return {};
}

Result<> ShaftLibrary::createSchema(int version)
{
    Q_ASSERT(version == 1);
    const QString id = postgres_ ? QStringLiteral("BIGSERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    const QStringList statements{
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("INSERT INTO schema_version (version) VALUES (1)"),
        QStringLiteral("CREATE TABLE shafts (id %1, maker TEXT NOT NULL, model TEXT NOT NULL, flex TEXT NOT NULL, "
                       "weight_g DOUBLE PRECISION, length_in DOUBLE PRECISION, label TEXT NOT NULL, "
                       "customer TEXT NOT NULL, notes TEXT NOT NULL)").arg(id),
        QStringLiteral("CREATE TABLE measurements (id %1, shaft_id BIGINT NOT NULL REFERENCES shafts (id), "
                       "kind TEXT NOT NULL CHECK (kind IN ('profile', 'polar')), heading_x TEXT NOT NULL, "
                       "heading_y TEXT NOT NULL, note TEXT NOT NULL, load_unit TEXT NOT NULL, taken_at TEXT NOT NULL, "
                       "spine_percent DOUBLE PRECISION, spine_angle DOUBLE PRECISION, nbp_angle DOUBLE PRECISION, "
                       "bend_percent DOUBLE PRECISION, bend_angle DOUBLE PRECISION, spine_grade TEXT)").arg(id),
        QStringLiteral("CREATE TABLE measurement_rows (measurement_id BIGINT NOT NULL REFERENCES measurements (id), "
                       "row_index INTEGER NOT NULL, x TEXT NOT NULL, y TEXT NOT NULL, "
                       "PRIMARY KEY (measurement_id, row_index))"),
    };
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    for (const QString& sql : statements)
        if (!q.exec(sql))
            return failed(q.lastError());
    return {};
}

// Runs inside the transaction of prepareSchema: a step that fails leaves the
// library as it was.
Result<> ShaftLibrary::migrate(int from, int to, QStringList& notes)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (from < 2 && to >= 2) {
        // Version 2: the bench's name, the row count for the list, and the
        // folded texts that the search reads.
        for (const char* sql : {"ALTER TABLE shafts ADD COLUMN search_text TEXT NOT NULL DEFAULT ''",
                                "ALTER TABLE measurements ADD COLUMN bench TEXT NOT NULL DEFAULT ''",
                                "ALTER TABLE measurements ADD COLUMN row_count INTEGER NOT NULL DEFAULT 0",
                                "ALTER TABLE measurements ADD COLUMN search_text TEXT NOT NULL DEFAULT ''",
                                "CREATE INDEX measurements_shaft ON measurements (shaft_id)",
                                "CREATE INDEX measurements_taken ON measurements (taken_at)",
                                "UPDATE measurements SET row_count = (SELECT COUNT(*) FROM measurement_rows r "
                                "WHERE r.measurement_id = measurements.id)"})
            if (!q.exec(QString::fromLatin1(sql)))
                return failed(q.lastError());
        QSqlQuery update(db);
        if (const Result<> why = run(q, QStringLiteral("SELECT %1 FROM shafts s").arg(QLatin1String(kShaftColumns))); !why)
            return why;
        while (q.next()) {
            const Shaft s = shaftFrom(q, 0);
            if (const Result<> why = run(update, QStringLiteral("UPDATE shafts SET search_text = ? WHERE id = ?"), {shaftSearchText(s), s.id});
                !why)
                return why;
        }
        if (const Result<> why = run(q, QStringLiteral("SELECT id, note, heading_x, heading_y FROM measurements")); !why)
            return why;
        while (q.next()) {
            const QString text = measurementSearchText(q.value(1).toString(), {}, q.value(2).toString(), q.value(3).toString());
            if (const Result<> why = run(update, QStringLiteral("UPDATE measurements SET search_text = ? WHERE id = ?"), {text, q.value(0)});
                !why)
                return why;
        }
    }
    if (from < 3 && to >= 3)
        if (const Result<> why = migrateToDataFiles(notes); !why)
            return why;
    if (from < 4 && to >= 4)
        if (const Result<> why = migrateToIndexes(); !why)
            return why;
    if (from < to)
        if (const Result<> why = run(q, QStringLiteral("UPDATE schema_version SET version = ?"), {to}); !why)
            return why;
    return {};
}

// Version 3: each measurement keeps its data file, and its rows as numbers
// instead of the text a desktop showed them as. The text is read in the
// format it was written in; a cell that reads neither way stays text, its
// measurement gets no data file and is marked damaged, and the note says
// where, so that nothing is dropped and nothing guessed.
Result<> ShaftLibrary::migrateToDataFiles(QStringList& notes)
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const QString blob = postgres_ ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    for (const QString& sql : {QStringLiteral("ALTER TABLE measurements ADD COLUMN data_file %1").arg(blob),
                               QStringLiteral("ALTER TABLE measurements ADD COLUMN data_hash TEXT NOT NULL DEFAULT ''"),
                               QStringLiteral("ALTER TABLE measurements ADD COLUMN damaged TEXT NOT NULL DEFAULT ''"),
                               QStringLiteral("CREATE TABLE measurement_values (measurement_id BIGINT NOT NULL REFERENCES measurements (id), "
                                              "row_index INTEGER NOT NULL, x DOUBLE PRECISION, y DOUBLE PRECISION, x_text TEXT, "
                                              "y_text TEXT, PRIMARY KEY (measurement_id, row_index))"),
                               QStringLiteral("CREATE INDEX measurements_hash ON measurements (data_hash)")})
        if (!q.exec(sql))
            return failed(q.lastError());
    struct Old {
        qint64 id;
        MeasurementKind kind;
        QString note, heading0, heading1;
    };
    std::vector<Old> old;
    if (const Result<> why = run(q, QStringLiteral("SELECT id, kind, note, heading_x, heading_y FROM measurements ORDER BY id")); !why)
        return why;
    while (q.next())
        old.push_back({q.value(0).toLongLong(),
                       q.value(1).toString() == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile,
                       q.value(2).toString(), q.value(3).toString(), q.value(4).toString()});
    QSqlQuery update(db);
    for (const Old& m : old) {
        if (const Result<> why = run(q, QStringLiteral("SELECT x, y FROM measurement_rows WHERE measurement_id = ? ORDER BY row_index"), {m.id});
            !why)
            return why;
        std::vector<StoredRow> rows;
        QStringList bad;
        while (q.next()) {
            StoredRow row;
            const QString x = q.value(0).toString();
            const QString y = q.value(1).toString();
            const auto cell = [&](const QString& text, std::optional<double>& number, QString& kept, int column) {
                if (const auto v = StoredCellNumber(text)) {
                    number = double(*v);
                    return;
                }
                kept = text;
                bad << QStringLiteral("measurement %1, row %2, column %3: \"%4\"").arg(m.id).arg(rows.size() + 1).arg(column).arg(text);
            };
            if (m.kind == MeasurementKind::Polar) {
                row.xText = x;
                row.x = StrictDouble(x, QLocale::c());
            } else {
                cell(x, row.x, row.xText, 1);
            }
            cell(y, row.y, row.yText, 2);
            rows.push_back(row);
        }
        const QByteArray bytes = bad.isEmpty() ? DataFileFromRows(m.kind, rows, m.note, m.heading0, m.heading1) : QByteArray();
        const QString damaged = bad.isEmpty() ? QString()
                                              : QStringLiteral("a cell reads as no number in any language: %1").arg(bad.join(QStringLiteral("; ")));
        if (!bad.isEmpty())
            notes << QCoreApplication::translate("Library", "Kept as text, and the measurement marked damaged: ") + bad.join(QStringLiteral("; "));
        if (const Result<> why = insertRows(m.id, rows); !why)
            return why;
        if (const Result<> why = run(update, QStringLiteral("UPDATE measurements SET data_file = ?, data_hash = ?, damaged = ?, row_count = ? WHERE id = ?"),
                                    {bytes.isEmpty() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(bytes),
                                     bytes.isEmpty() ? QString() : dataHash(bytes), damaged, qint64(rows.size()), m.id});
            !why)
            return why;
    }
    q.finish();
    if (!q.exec(QStringLiteral("DROP TABLE measurement_rows")))
        return failed(q.lastError());
    return {};
}

// Version 4: what the Library window asks on every keystroke and every
// scroll is answered from indexes: the filters' choices, the list's order,
// and the customer as a folded copy that the database can match.
Result<> ShaftLibrary::migrateToIndexes()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    for (const char* sql : {"ALTER TABLE shafts ADD COLUMN customer_key TEXT NOT NULL DEFAULT ''",
                            "CREATE INDEX shafts_maker ON shafts (maker)",
                            "CREATE INDEX shafts_model ON shafts (model)",
                            "CREATE INDEX shafts_flex ON shafts (flex)",
                            "DROP INDEX measurements_taken",
                            "CREATE INDEX measurements_taken ON measurements (taken_at, id)",
                            "CREATE INDEX measurements_kind ON measurements (kind, taken_at, id)"})
        if (!q.exec(QString::fromLatin1(sql)))
            return failed(q.lastError());
    // A word is looked up in trigram indexes of the texts instead of read
    // from every line. A server where pg_trgm cannot be had (not installed,
    // or the user may not create it) searches the way it did.
    // Measurements are stored one at a time and searched on every key: each
    // goes into the index as it is stored, rather than onto a pending list
    // that every search reads through until the server next vacuums.
    if (postgres_ && q.exec(QStringLiteral("SAVEPOINT text_index"))) {
        bool made = true;
        for (const char* sql : {"CREATE EXTENSION IF NOT EXISTS pg_trgm",
                                "CREATE INDEX shafts_search ON shafts USING gin (search_text gin_trgm_ops) WITH (fastupdate = off)",
                                "CREATE INDEX measurements_search ON measurements USING gin (search_text gin_trgm_ops) WITH (fastupdate = off)"})
            made = made && q.exec(QString::fromLatin1(sql));
        if (!q.exec(made ? QStringLiteral("RELEASE SAVEPOINT text_index") : QStringLiteral("ROLLBACK TO SAVEPOINT text_index")))
            return failed(q.lastError());
    }
    // On SQLite, one index of each measurement's texts and its shaft's, kept
    // by triggers. An SQLite without the trigram tokenizer searches the way
    // it did.
    if (!postgres_
        && q.exec(QStringLiteral("CREATE VIRTUAL TABLE measurement_search USING fts5(text, tokenize = 'trigram case_sensitive 1')"))) {
        for (const char* sql : {"INSERT INTO measurement_search (rowid, text) SELECT m.id, s.search_text || char(10) || m.search_text "
                                "FROM measurements m JOIN shafts s ON s.id = m.shaft_id",
                                "CREATE TRIGGER measurement_search_insert AFTER INSERT ON measurements BEGIN "
                                "INSERT INTO measurement_search (rowid, text) SELECT new.id, s.search_text || char(10) || new.search_text "
                                "FROM shafts s WHERE s.id = new.shaft_id; END",
                                "CREATE TRIGGER measurement_search_delete AFTER DELETE ON measurements BEGIN "
                                "DELETE FROM measurement_search WHERE rowid = old.id; END",
                                "CREATE TRIGGER measurement_search_update AFTER UPDATE OF search_text, shaft_id ON measurements BEGIN "
                                "UPDATE measurement_search SET text = (SELECT s.search_text FROM shafts s WHERE s.id = new.shaft_id) "
                                "|| char(10) || new.search_text WHERE rowid = new.id; END",
                                "CREATE TRIGGER shaft_search_update AFTER UPDATE OF search_text ON shafts BEGIN "
                                "UPDATE measurement_search SET text = new.search_text || char(10) || "
                                "(SELECT m.search_text FROM measurements m WHERE m.id = measurement_search.rowid) "
                                "WHERE rowid IN (SELECT id FROM measurements WHERE shaft_id = new.id); END"})
            if (!q.exec(QString::fromLatin1(sql)))
                return failed(q.lastError());
    }
    std::vector<std::pair<qint64, QString>> customers;
    if (const Result<> why = run(q, QStringLiteral("SELECT id, customer FROM shafts WHERE customer <> ''")); !why)
        return why;
    while (q.next())
        customers.emplace_back(q.value(0).toLongLong(), q.value(1).toString().toCaseFolded());
    if (!q.prepare(QStringLiteral("UPDATE shafts SET customer_key = ? WHERE id = ?")))
        return failed(q.lastError());
    for (const auto& [id, key] : customers) {
        q.bindValue(0, key);
        q.bindValue(1, id);
        if (!q.exec())
            return failed(q.lastError());
    }
    return {};
}

Result<> ShaftLibrary::insertRows(qint64 id, const std::vector<StoredRow>& rows)
{
    const auto prepared = this->prepared(
        insertRowsQuery_, "INSERT INTO measurement_values (measurement_id, row_index, x, y, x_text, y_text) VALUES (?, ?, ?, ?, ?, ?)");
    if (!prepared)
        return prepared.error();
    QSqlQuery& q = **prepared;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        q.bindValue(0, id);
        q.bindValue(1, qint64(r + 1));
        q.bindValue(2, optionalNumber(rows[r].x));
        q.bindValue(3, optionalNumber(rows[r].y));
        q.bindValue(4, optionalText(rows[r].xText));
        q.bindValue(5, optionalText(rows[r].yText));
        if (!q.exec())
            return failed(q.lastError());
    }
    return {};
}

Failure<> ShaftLibrary::failure(const QString& what, const QString& why)
{
    // A server that went away leaves the connection open in name only; the
    // next use opens a new one.
    if (postgres_)
        broken_ = true;
    return Failure(QCoreApplication::translate("Library", "The library could not %1: %2").arg(what, why.trimmed().isEmpty() ? QCoreApplication::translate("Library", "no reason given") : why.trimmed()));
}

Result<> ShaftLibrary::reconnect()
{
    if (!available_)
        return Failure(openMessage_);
    if (!broken_)
        return {};
    forgetPrepared();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
    if (!db.open())
        return Failure(QCoreApplication::translate("Library", "The library server %1 cannot be reached: %2.")
                           .arg(MaskedLocation(location_), reason(db.lastError())));
    broken_ = false;
    return {};
}

Result<> ShaftLibrary::writable()
{
    if (available_ && readOnly_)
        return Failure(openMessage_);
    return reconnect();
}

Result<> ShaftLibrary::insertShaft(Shaft& s)
{
    const auto prepared = this->prepared(insertShaftQuery_,
                                         "INSERT INTO shafts (maker, model, flex, weight_g, length_in, label, customer, notes, "
                                         "search_text, customer_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
    if (!prepared)
        return prepared.error();
    QSqlQuery* q = *prepared;
    const Result<> why = runPrepared(*q, {s.maker, s.model, s.flex, optionalNumber(s.weightGrams), optionalNumber(s.lengthInches), s.label,
                                          s.customer, s.notes, shaftSearchText(s), s.customer.toCaseFolded()});
    if (!why)
        return why;
    if (!q->next())
        return Failure(QCoreApplication::translate("Library", "the new shaft got no number"));
    s.id = q->value(0).toLongLong();
    q->finish();
    return {};
}

Result<> ShaftLibrary::updateShaft(const Shaft& s)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const Result<> why = run(q, QStringLiteral("UPDATE shafts SET maker = ?, model = ?, flex = ?, weight_g = ?, length_in = ?, "
                                              "label = ?, customer = ?, notes = ?, search_text = ?, customer_key = ? WHERE id = ?"),
                            {s.maker, s.model, s.flex, optionalNumber(s.weightGrams), optionalNumber(s.lengthInches), s.label,
                             s.customer, s.notes, shaftSearchText(s), s.customer.toCaseFolded(), s.id});
    if (why && q.numRowsAffected() != 1)
        return Failure(QCoreApplication::translate("Library", "there is no shaft %1").arg(s.id));
    return why;
}

Result<> ShaftLibrary::insertMeasurement(const Shaft& shaft, Measurement& m)
{
    QByteArray bytes = m.dataFile;
    // A store from a tab: the data file as Save would write it, so that the
    // library holds what the file would.
    if (bytes.isEmpty()) {
        auto made = MeasurementAsDataFile(m);
        if (!made)
            return Failure(made.message().remove(NothingWasSaved()));
        bytes = std::move(*made);
    }
    const auto read = DataFileRows(m.kind, bytes);
    if (!read)
        return read.error();
    const std::vector<StoredRow>& rows = *read;
    const auto prepared = this->prepared(insertMeasurementQuery_,
                                         "INSERT INTO measurements (shaft_id, kind, heading_x, heading_y, note, load_unit, taken_at, "
                                         "spine_percent, spine_angle, nbp_angle, bend_percent, bend_angle, spine_grade, bench, "
                                         "row_count, search_text, data_file, data_hash, damaged) "
                                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '') RETURNING id");
    if (!prepared)
        return prepared.error();
    QSqlQuery& q = **prepared;
    const auto spine = [&m](double StoredSpine::*field) { return m.spine ? QVariant(*m.spine.*field) : QVariant(QMetaType::fromType<double>()); };
    const Result<> why = runPrepared(q,
              {shaft.id, KindName(m.kind), m.heading0, m.heading1, m.note, m.loadUnit, timeText(m.takenAt),
               spine(&StoredSpine::spinePercent), spine(&StoredSpine::spineAngle), spine(&StoredSpine::nbpAngle),
               spine(&StoredSpine::bendPercent), spine(&StoredSpine::bendAngle),
               m.spine ? QVariant(m.spine->grade) : QVariant(QMetaType::fromType<QString>()), m.bench,
               qint64(rows.size()), measurementSearchText(m.note, m.bench, m.heading0, m.heading1), bytes, dataHash(bytes)});
    if (!why)
        return why;
    if (!q.next())
        return Failure(QCoreApplication::translate("Library", "the new measurement got no number"));
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    if (const Result<> bad = insertRows(id, rows); !bad)
        return bad;
    m.id = id;
    m.shaftId = shaft.id;
    m.dataFile = bytes;
    return {};
}

Result<qint64> ShaftLibrary::findDataFile(const QByteArray& bytes)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (const Result<> why = run(q, QStringLiteral("SELECT id, data_file FROM measurements WHERE data_hash = ? ORDER BY id"), {dataHash(bytes)});
        !why)
        return failure(QCoreApplication::translate("Library", "look for a data file"), why.message());
    while (q.next())
        if (q.value(1).toByteArray() == bytes)
            return q.value(0).toLongLong();
    return qint64(0);
}

Result<> ShaftLibrary::storeShaft(Shaft& shaft)
{
    if (const Result<> r = writable(); !r.ok())
        return r;
    if (const Result<> nul = shaftNul(shaft); !nul)
        return Failure(QCoreApplication::translate("Library", "The shaft was not stored: %1; remove it and store again.").arg(nul.message()));
    Transaction t(*this);
    Shaft stored = shaft;
    Result<> why = t.began();
    if (why)
        why = stored.id == 0 ? insertShaft(stored) : updateShaft(stored);
    if (why)
        why = t.commit();
    if (!why)
        return failure(QCoreApplication::translate("Library", "store the shaft"), why.message());
    shaft = stored;
    return {};
}

Result<> ShaftLibrary::store(Shaft& shaft, Measurement& measurement)
{
    std::vector<Shaft> shafts{shaft};
    std::vector<std::pair<std::size_t, Measurement>> one{{0, measurement}};
    const Result<> r = storeAll(shafts, one);
    if (r.ok()) {
        shaft = shafts.front();
        measurement = one.front().second;
    }
    return r;
}

Result<> ShaftLibrary::storeAll(std::vector<Shaft>& shafts, std::vector<std::pair<std::size_t, Measurement>>& measurements)
{
    if (const Result<> r = writable(); !r.ok())
        return r;
    for (const Shaft& s : shafts)
        if (const Result<> nul = shaftNul(s); !nul)
            return Failure(QCoreApplication::translate("Library", "Nothing was stored: %1; remove it and store again.").arg(nul.message()));
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        const Measurement& m = measurements[i].second;
        const QString grade = m.spine ? m.spine->grade : QString();
        if (const Result<> found = nulIn({{&m.note, "the note"}, {&m.heading0, "the heading of column 1"}, {&m.heading1, "the heading of column 2"},
                                          {&m.loadUnit, "the load unit"}, {&m.bench, "the bench name"}, {&grade, "the spine grade"}});
            !found) {
            QString nul = found.message();
            if (measurements.size() > 1)
                nul = QCoreApplication::translate("Library", "measurement %1 of %2: %3").arg(i + 1).arg(measurements.size()).arg(nul);
            return Failure(QCoreApplication::translate("Library", "Nothing was stored: %1; remove it and store again.").arg(nul));
        }
    }
    // Ids are handed out on copies and given back only once all is committed.
    auto storedShafts = shafts;
    auto stored = measurements;
    Transaction t(*this);
    Result<> why = t.began();
    for (std::size_t i = 0; i < storedShafts.size() && why; ++i)
        if (storedShafts[i].id == 0)
            why = insertShaft(storedShafts[i]);
    for (std::size_t i = 0; i < stored.size() && why; ++i) {
        auto& [shaft, measurement] = stored[i];
        why = shaft < storedShafts.size() ? insertMeasurement(storedShafts[shaft], measurement)
                                          : Failure(QCoreApplication::translate("Library", "the measurement names no shaft"));
        if (!why && stored.size() > 1)
            why = Failure(QCoreApplication::translate("Library", "measurement %1 of %2: %3").arg(i + 1).arg(stored.size()).arg(why.message()));
    }
    if (why)
        why = t.commit();
    if (!why)
        return failure(stored.size() == 1 ? QCoreApplication::translate("Library", "store the measurement")
                                          : QCoreApplication::translate("Library", "store the measurements; none was kept"),
                       why.message());
    shafts = std::move(storedShafts);
    measurements = std::move(stored);
    return {};
}

Result<Shaft> ShaftLibrary::loadShaft(qint64 id)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const Result<> why = run(q, QStringLiteral("SELECT %1 FROM shafts s WHERE s.id = ?").arg(QLatin1String(kShaftColumns)), {id});
    if (!why)
        return failure(QCoreApplication::translate("Library", "read shaft %1").arg(id), why.message());
    if (!q.next())
        return Failure(QCoreApplication::translate("Library", "The library holds no shaft %1.").arg(id));
    return shaftFrom(q, 0);
}

// The one row of measurement `id` that `sql` selects, on the query kept in
// `slot`; a missing measurement is a failure of its own words.
Result<QSqlQuery*> ShaftLibrary::measurementRow(std::unique_ptr<QSqlQuery>& slot, const char* sql, qint64 id)
{
    const auto prepared = this->prepared(slot, sql);
    if (!prepared)
        return failure(QCoreApplication::translate("Library", "read measurement %1").arg(id), prepared.message());
    QSqlQuery* q = *prepared;
    q->bindValue(0, id);
    if (!q->exec())
        return failure(QCoreApplication::translate("Library", "read measurement %1").arg(id), reason(q->lastError()));
    if (!q->next())
        return Failure(QCoreApplication::translate("Library", "The library holds no measurement %1.").arg(id));
    return q;
}

Result<Measurement> ShaftLibrary::loadMeasurement(qint64 id, bool withRows)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    const auto row = measurementRow(measurementQuery_,
                                    "SELECT shaft_id, kind, heading_x, heading_y, note, load_unit, taken_at, bench, spine_percent, "
                                    "spine_angle, nbp_angle, bend_percent, bend_angle, spine_grade, data_file, damaged "
                                    "FROM measurements WHERE id = ?",
                                    id);
    if (!row)
        return row.error();
    QSqlQuery* q = *row;
    Measurement m;
    m.id = id;
    m.shaftId = q->value(0).toLongLong();
    m.kind = q->value(1).toString() == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
    m.note = q->value(4).toString();
    m.loadUnit = q->value(5).toString();
    m.takenAt = timeFrom(q->value(6).toString());
    m.bench = q->value(7).toString();
    if (!q->value(8).isNull())
        m.spine = StoredSpine{q->value(8).toDouble(), q->value(9).toDouble(), q->value(10).toDouble(),
                              q->value(11).toDouble(), q->value(12).toDouble(), q->value(13).toString()};
    m.dataFile = q->value(14).toByteArray();
    m.damaged = q->value(15).toString();
    const QString heading0 = q->value(2).toString();
    const QString heading1 = q->value(3).toString();
    q->finish();
    // The rows come from the data file, as this desktop shows numbers; the
    // headings stay the library's, which are not bound to Windows-1252.
    if (withRows && !m.dataFile.isEmpty() && !RowsFromDataFile(m).ok())
        return Failure(QCoreApplication::translate("Library", "The data file of measurement %1 in the library does not read.").arg(id));
    m.heading0 = heading0;
    m.heading1 = heading1;
    if (m.dataFile.isEmpty()) {
        // Damaged: the numbers there are, and the text of the cells that were none.
        QSqlQuery rows(QSqlDatabase::database(connection_, false));
        const Result<> why = run(rows, QStringLiteral("SELECT x, y, x_text, y_text FROM measurement_values WHERE measurement_id = ? ORDER BY row_index"), {id});
        if (!why)
            return failure(QCoreApplication::translate("Library", "read measurement %1").arg(id), why.message());
        const auto cell = [&rows](int number, int text) {
            return !rows.value(text).isNull() ? rows.value(text).toString()
                                              : rows.value(number).isNull() ? QString() : ShortFloatText(rows.value(number).toFloat());
        };
        while (rows.next())
            m.rows.emplace_back(cell(0, 2), cell(1, 3));
    }
    return m;
}

Result<ShaftMeasurement> ShaftLibrary::loadWithShaft(qint64 id, bool withRows)
{
    auto m = loadMeasurement(id, withRows);
    if (!m)
        return m.error();
    auto s = loadShaft(m->shaftId);
    if (!s)
        return s.error();
    return ShaftMeasurement{std::move(*m), std::move(*s)};
}

Result<MeasurementFile> ShaftLibrary::loadDataFile(qint64 id)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    const auto row = measurementRow(dataFileQuery_, "SELECT kind, data_file, damaged FROM measurements WHERE id = ?", id);
    if (!row)
        return row.error();
    QSqlQuery* q = *row;
    MeasurementFile file;
    file.kind = q->value(0).toString() == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
    file.bytes = q->value(1).toByteArray();
    file.damaged = q->value(2).toString();
    q->finish();
    return file;
}

Result<std::vector<Shaft>> ShaftLibrary::shafts()
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    const Result<> why = run(q, QStringLiteral("SELECT %1 FROM shafts s ORDER BY s.maker, s.model, s.label, s.id").arg(QLatin1String(kShaftColumns)));
    if (!why)
        return failure(QCoreApplication::translate("Library", "list the shafts"), why.message());
    std::vector<Shaft> out;
    while (q.next())
        out.push_back(shaftFrom(q, 0));
    return out;
}

// The WHERE of a search, for the list and for its count alike. Before
// version 4 the customer has no folded copy to match in the database:
// `customerHere` false says the caller is to match it itself.
// The index finds a word of few lines at once, but one that most lines hold
// ("customer") costs it more than reading the lines in the list's order does,
// which stops at the end of a page: a look at the index says which it is.
bool ShaftLibrary::rareWord(const QString& word)
{
    constexpr int kRare = 1000;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    const QString sql = postgres_
        ? QStringLiteral("SELECT (SELECT COUNT(*) FROM (SELECT 1 FROM shafts WHERE search_text LIKE ? ESCAPE '\\' LIMIT %1) a) "
                         "+ (SELECT COUNT(*) FROM (SELECT 1 FROM measurements WHERE search_text LIKE ? ESCAPE '\\' LIMIT %1) b)")
        : QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM measurement_search WHERE text GLOB ? LIMIT %1)");
    const QVariantList values = postgres_ ? QVariantList{likePattern(word), likePattern(word)} : QVariantList{globPattern(word)};
    return run(q, sql.arg(kRare), values).ok() && q.next() && q.value(0).toInt() < kRare;
}

Result<> ShaftLibrary::searchWhere(const LibraryQuery& query, QString& sql, QVariantList& values, bool& customerHere)
{
    if (const Result<> nul = nulIn({{&query.text, "the search text"}, {&query.maker, "the maker"}, {&query.model, "the model"},
                                    {&query.flex, "the flex"}, {&query.customer, "the customer"}});
        !nul)
        return Failure(QCoreApplication::translate("Library", "Nothing was searched: %1.").arg(nul.message()));
    // Every word is to be found, each anywhere; a text with longer words or
    // more of them than anybody types is refused rather than sent on.
    QStringList words = query.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.removeDuplicates();
    for (const QString& word : words)
        if (word.size() > kLongestSearchWord)
            return Failure(QCoreApplication::translate("Library", "A search word may be at most %1 characters long; this one has %2: \"%3...\"")
                .arg(kLongestSearchWord).arg(word.size()).arg(word.left(20)));
    if (words.size() > kMostSearchWords)
        return Failure(QCoreApplication::translate("Library", "A search may hold at most %1 words; this one has %2.").arg(kMostSearchWords).arg(words.size()));
    sql += QStringLiteral(" FROM measurements m JOIN shafts s ON s.id = m.shaft_id WHERE 1 = 1");
    for (const QString& word : words) {
        // The index holds trigrams: a shorter word is read from every line.
        if (textIndex_ && word.size() >= 3 && rareWord(word)) {
            if (postgres_) {
                // The word's measurements as one list of ids, made first and
                // looked up by key. An OR of two IN subqueries, or even one
                // IN of their union, has the planner read every measurement
                // against hashed sets instead.
                sql += QStringLiteral(" AND m.id = ANY (ARRAY (SELECT id FROM measurements WHERE shaft_id IN "
                                      "(SELECT id FROM shafts WHERE search_text LIKE ? ESCAPE '\\') "
                                      "UNION SELECT id FROM measurements WHERE search_text LIKE ? ESCAPE '\\'))");
                values << likePattern(word) << likePattern(word);
            } else {
                sql += QStringLiteral(" AND m.id IN (SELECT rowid FROM measurement_search WHERE text GLOB ?)");
                values << globPattern(word);
            }
            continue;
        }
        sql += QStringLiteral(" AND (s.search_text LIKE ? ESCAPE '\\' OR m.search_text LIKE ? ESCAPE '\\')");
        values << likePattern(word) << likePattern(word);
    }
    const std::pair<const char*, const QString*> exact[] = {
        {"s.maker", &query.maker}, {"s.model", &query.model}, {"s.flex", &query.flex}};
    for (const auto& [column, value] : exact)
        if (!value->isEmpty()) {
            sql += QStringLiteral(" AND %1 = ?").arg(QLatin1String(column));
            values << *value;
        }
    customerHere = version_ >= 4;
    if (customerHere && !query.customer.isEmpty()) {
        sql += QStringLiteral(" AND s.customer_key LIKE ? ESCAPE '\\'");
        values << likePattern(query.customer);
    }
    if (query.kind) {
        sql += QStringLiteral(" AND m.kind = ?");
        values << KindName(*query.kind);
    }
    if (query.from.isValid()) {
        sql += QStringLiteral(" AND m.taken_at >= ?");
        values << timeText(query.from);
    }
    if (query.to.isValid()) {
        sql += QStringLiteral(" AND m.taken_at <= ?");
        values << timeText(query.to);
    }
    return {};
}

Result<std::vector<LibraryEntry>> ShaftLibrary::search(const LibraryQuery& query, const LibraryPage& page)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    QString sql = QStringLiteral("SELECT %1, m.id, m.kind, m.taken_at, m.note, m.bench, m.row_count, m.spine_percent, m.spine_grade").arg(QLatin1String(kShaftColumns));
    QVariantList values;
    bool customerHere = true;
    if (const Result<> why = searchWhere(query, sql, values, customerHere); !why)
        return why.error();
    static const char* const kOrder[] = {"m.taken_at", "m.kind", "s.label, s.maker, s.model", "s.flex", "s.weight_g",
                                         "s.length_in", "s.customer", "m.row_count",
                                         // measurements without figures last either way, on both databases alike
                                         "m.spine_percent IS NULL, m.spine_percent", "m.spine_grade IS NULL, m.spine_grade", "m.note"};
    const QString direction = page.descending ? QStringLiteral(" DESC") : QString();
    QStringList order;
    for (const QString& term : QString::fromLatin1(kOrder[int(page.order)]).split(QStringLiteral(", ")))
        order << (term.endsWith(QLatin1String(" IS NULL")) ? term : term + direction);
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", ")) + QStringLiteral(", m.id") + direction;
    // The customer matched here instead cannot be counted in pages.
    const bool paged = page.limit >= 0 && (customerHere || query.customer.isEmpty());
    if (paged) {
        sql += QStringLiteral(" LIMIT ? OFFSET ?");
        values << page.limit << page.offset;
    }
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (const Result<> why = run(q, sql, values); !why)
        return failure(QStringLiteral("search"), why.message());
    std::vector<LibraryEntry> out;
    const QString customer = customerHere ? QString() : query.customer.toCaseFolded();
    while (q.next()) {
        LibraryEntry e;
        e.shaft = shaftFrom(q, 0);
        if (!customer.isEmpty() && !e.shaft.customer.toCaseFolded().contains(customer))
            continue;
        e.measurementId = q.value(9).toLongLong();
        e.kind = q.value(10).toString() == QLatin1String("polar") ? MeasurementKind::Polar : MeasurementKind::Profile;
        e.takenAt = timeFrom(q.value(11).toString());
        e.note = q.value(12).toString();
        e.bench = q.value(13).toString();
        e.rowCount = q.value(14).toInt();
        if (!q.value(15).isNull())
            e.spinePercent = q.value(15).toDouble();
        e.spineGrade = q.value(16).toString();
        out.push_back(std::move(e));
    }
    if (!paged && page.offset > 0)
        out.erase(out.begin(), out.begin() + std::min<qint64>(page.offset, qint64(out.size())));
    return out;
}

Result<> ShaftLibrary::addStiffness(std::vector<LibraryEntry>& lines, const BenchGeometry& geometry)
{
    std::map<qint64, LibraryEntry*> profiles;
    for (LibraryEntry& e : lines)
        if (e.kind == MeasurementKind::Profile)
            profiles[e.measurementId] = &e;
    if (profiles.empty())
        return {};
    if (const Result<> r = reconnect(); !r.ok())
        return r;
    QStringList marks;
    QVariantList ids;
    for (const auto& [id, line] : profiles)
        marks << QStringLiteral("?"), ids << id;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT measurement_id, row_index, x, y FROM measurement_values WHERE measurement_id IN (%1) "
                                       "AND x IS NOT NULL AND y IS NOT NULL ORDER BY measurement_id, row_index")
                            .arg(marks.join(QLatin1Char(',')));
    if (const Result<> why = run(q, sql, ids); !why)
        return failure(QCoreApplication::translate("Library", "read the profiles' rows"), why.message());
    std::map<qint64, std::vector<RowPoint>> rows;
    while (q.next())
        rows[q.value(0).toLongLong()].push_back({q.value(1).toInt() + 1, q.value(2).toDouble(), q.value(3).toDouble()});
    for (const auto& [id, points] : rows) {
        const EiCurve ei = ConvertToEi(points, geometry);
        if (!ei.ok())
            continue;
        if (const ZoneFigures z = EiZones(ei, geometry.lengthUnit); z.ok())
            profiles[id]->stiffnessIndex = z.stiffnessIndex;
    }
    return {};
}

Result<qint64> ShaftLibrary::count(const LibraryQuery& query)
{
    bool customerHere = true;
    {
        QString sql;
        QVariantList values;
        if (const Result<> why = searchWhere(query, sql, values, customerHere); !why)
            return why.error();
        if (customerHere || query.customer.isEmpty()) {
            if (const Result<> r = reconnect(); !r.ok())
                return r.error();
            QSqlQuery q(QSqlDatabase::database(connection_, false));
            q.setForwardOnly(true);
            if (const Result<> why = run(q, QStringLiteral("SELECT COUNT(*)") + sql, values); !why)
                return failure(QCoreApplication::translate("Library", "count the measurements"), why.message());
            return q.next() ? q.value(0).toLongLong() : qint64(0);
        }
    }
    const auto all = search(query);
    if (!all)
        return all.error();
    return qint64(all->size());
}

Result<QStringList> ShaftLibrary::choices(ShaftField field)
{
    if (const Result<> r = reconnect(); !r.ok())
        return r.error();
    static const char* const kColumn[] = {"maker", "model", "flex"};
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    const QString column = QLatin1String(kColumn[int(field)]);
    // One step through the column's index from each value to the next: a
    // shop has few makers and many shafts, and DISTINCT reads every shaft,
    // which the window does on each refresh.
    const QString sql = QStringLiteral("WITH RECURSIVE c (v) AS (SELECT MIN(%1) FROM shafts WHERE %1 <> '' "
                                       "UNION ALL SELECT (SELECT MIN(%1) FROM shafts WHERE %1 > c.v AND %1 <> '') FROM c WHERE c.v IS NOT NULL) "
                                       "SELECT v FROM c WHERE v IS NOT NULL")
                            .arg(column);
    if (const Result<> why = run(q, sql); !why)
        return failure(QCoreApplication::translate("Library", "list the %1s").arg(column), why.message());
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    // In the program's order, not the database's collation: one list reads
    // the same from either database.
    std::sort(out.begin(), out.end());
    return out;
}

Result<> ShaftLibrary::deleteMeasurement(qint64 id)
{
    if (const Result<> r = writable(); !r.ok())
        return r;
    Transaction t(*this);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    Result<> why = t.began();
    qint64 shaft = 0;
    if (why && (why = run(q, QStringLiteral("SELECT shaft_id FROM measurements WHERE id = ?"), {id}))) {
        if (!q.next())
            return Failure(QCoreApplication::translate("Library", "The library holds no measurement %1.").arg(id));
        shaft = q.value(0).toLongLong();
    }
    if (why)
        why = run(q, QStringLiteral("DELETE FROM measurement_values WHERE measurement_id = ?"), {id});
    if (why)
        why = run(q, QStringLiteral("DELETE FROM measurements WHERE id = ?"), {id});
    if (why)
        why = run(q, QStringLiteral("DELETE FROM shafts WHERE id = ? AND NOT EXISTS (SELECT 1 FROM measurements WHERE shaft_id = ?)"),
                  {shaft, shaft});
    if (why)
        why = t.commit();
    return why ? Result<>() : failure(QCoreApplication::translate("Library", "delete measurement %1; it is still there").arg(id), why.message());
}

Result<> ShaftLibrary::deleteShaft(qint64 id)
{
    if (const Result<> r = writable(); !r.ok())
        return r;
    Transaction t(*this);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    Result<> why = t.began();
    if (why)
        why = run(q, QStringLiteral("DELETE FROM measurement_values WHERE measurement_id IN (SELECT id FROM measurements WHERE shaft_id = ?)"), {id});
    if (why)
        why = run(q, QStringLiteral("DELETE FROM measurements WHERE shaft_id = ?"), {id});
    if (why && (why = run(q, QStringLiteral("DELETE FROM shafts WHERE id = ?"), {id})) && q.numRowsAffected() != 1)
        return Failure(QCoreApplication::translate("Library", "The library holds no shaft %1.").arg(id));
    if (why)
        why = t.commit();
    return why ? Result<>() : failure(QCoreApplication::translate("Library", "delete shaft %1; it is still there").arg(id), why.message());
}

} // namespace tarvex
