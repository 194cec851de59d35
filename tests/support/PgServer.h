#pragma once
// A PostgreSQL server of its own in a temporary folder, for what runs against
// a real server here: the library's tests and its benchmarks.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvex::testing {

inline int freePort()
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

} // namespace tarvex::testing
