#pragma once
// Raw SQL on a library, as another program (or the version before) would run
// it: a SQLite file name or a postgresql:// address. A statement that fails
// answers false and leaves the database's words in the test's log.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUrl>

namespace tarvex::testing {

class Sql {
public:
    explicit Sql(const QString& location) : name_(QStringLiteral("raw-%1").arg(++serial_))
    {
        const QUrl url(location);
        const bool pg = url.scheme() == QLatin1String("postgresql");
        QSqlDatabase db = QSqlDatabase::addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name_);
        if (pg) {
            db.setHostName(url.host()), db.setPort(url.port()), db.setUserName(url.userName());
            db.setDatabaseName(url.path().mid(1));
        } else {
            db.setDatabaseName(location);
        }
        db.open();
    }
    Sql(const Sql&) = delete;
    Sql& operator=(const Sql&) = delete;
    ~Sql()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    bool operator()(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        if (q.exec(sql))
            return true;
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return false;
    }

private:
    static inline int serial_ = 0;
    QString name_;
};

} // namespace tarvex::testing
