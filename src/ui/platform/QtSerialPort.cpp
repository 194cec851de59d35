#include "platform/QtSerialPort.h"

#include "device/PortPolicy.h"
#include "platform/PortLinkFolder.h"

#include <QDir>
#include <QFile>
#include <QSerialPortInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tarvex {

QString DefaultPortLinkFolder()
{
    return QString::fromStdString(PortLinkFolder());
}

QStringList ListPortLinks(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    // lstat: a link in place of the folder could lead anywhere.
    if (path.isEmpty() || ::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()
        || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return {};
    QStringList links;
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const QString full = dir.filePath(entry);
        struct stat target {};
        if (::stat(QFile::encodeName(full).constData(), &target) == 0 && S_ISCHR(target.st_mode))
            links << full;
    }
    return links;
}

namespace {

// PortError follows Qt's numbering, so an error is handed over as it is.
constexpr bool samePortErrors()
{
    using Q = QSerialPort;
    constexpr std::pair<PortError, Q::SerialPortError> pairs[] = {
        {PortError::None, Q::NoError},
        {PortError::DeviceNotFound, Q::DeviceNotFoundError},
        {PortError::Permission, Q::PermissionError},
        {PortError::Open, Q::OpenError},
        {PortError::Write, Q::WriteError},
        {PortError::Read, Q::ReadError},
        {PortError::Resource, Q::ResourceError},
        {PortError::UnsupportedOperation, Q::UnsupportedOperationError},
        {PortError::Unknown, Q::UnknownError},
        {PortError::Timeout, Q::TimeoutError},
        {PortError::NotOpen, Q::NotOpenError},
    };
    for (const auto& [ours, qts] : pairs)
        if (static_cast<int>(ours) != static_cast<int>(qts))
            return false;
    return true;
}
static_assert(samePortErrors());

QSerialPort::Parity toQt(LineParity p)
{
    switch (p) {
    case LineParity::Even: return QSerialPort::EvenParity;
    case LineParity::Odd: return QSerialPort::OddParity;
    case LineParity::Mark: return QSerialPort::MarkParity;
    case LineParity::Space: return QSerialPort::SpaceParity;
    case LineParity::None: break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(LineStopBits s)
{
    switch (s) {
    case LineStopBits::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case LineStopBits::Two: return QSerialPort::TwoStop;
    case LineStopBits::One: break;
    }
    return QSerialPort::OneStop;
}

} // namespace

QtSerialPort::QtSerialPort(QString linkFolder, QObject* parent)
    : SerialPort(parent), port_(new QSerialPort(this)), linkFolder_(std::move(linkFolder))
{
    connect(port_, &QSerialPort::readyRead, this, &SerialPort::received);
    connect(port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort()
{
    if (lister_.joinable())
        lister_.join();
}

namespace {

QStringList systemPorts(const QString& linkFolder)
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        names << info.portName();
    names << ListPortLinks(linkFolder);
    return names;
}

} // namespace

void QtSerialPort::listPortsAhead()
{
    if (lister_.joinable())
        return;
    lister_ = std::thread([this, folder = linkFolder_] {
        listedAhead_ = systemPorts(folder);
        // Queued to this object: dropped if the port is gone first, and the
        // destructor waits for this thread.
        QMetaObject::invokeMethod(this, [this] { emit portsListed(); }, Qt::QueuedConnection);
    });
}

int QtSerialPort::portCount()
{
    if (lister_.joinable()) {
        lister_.join();
        names_ = std::move(*listedAhead_);
        listedAhead_.reset();
        return static_cast<int>(names_.size());
    }
    names_ = systemPorts(linkFolder_);
    return static_cast<int>(names_.size());
}

QString QtSerialPort::portName(int index) const
{
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

Result<> QtSerialPort::open(const QString& name)
{
    close();
    // QSerialPort would try the folder /dev/ itself and report that.
    if (name.isEmpty())
        return Failure(QString::fromLocal8Bit(std::strerror(ENOENT)));
    const LineSettings s = lineSettings();
    port_->setPortName(name);
    port_->setBaudRate(s.baudRate);
    port_->setParity(toQt(s.parity));
    port_->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits));
    port_->setStopBits(toQt(s.stopBits));
    port_->setFlowControl(QSerialPort::NoFlowControl);
    // Nothing is ever sent to the bench.
    if (!port_->open(QIODevice::ReadOnly))
        return Failure(port_->errorString());
    return {};
}

bool QtSerialPort::isOpen() const
{
    return port_->isOpen();
}

void QtSerialPort::close()
{
    ++generation_;
    failing_ = false;
    if (port_->isOpen())
        port_->close();
}

QByteArray QtSerialPort::readAll()
{
    if (!port_->isOpen())
        return {};
    return port_->readAll();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    const std::optional<QString> fatal = FatalPortError(static_cast<PortError>(error), port_->errorString());
    if (!fatal || !port_->isOpen() || failing_)
        return;
    failing_ = true;
    const QString description = *fatal;
    const quint64 generation = generation_;
    // Closing here would delete the notifier whose signal we are inside.
    QMetaObject::invokeMethod(this, [this, description, generation] {
        if (generation != generation_)
            return;
        close();
        emit failed(description);
    }, Qt::QueuedConnection);
}

} // namespace tarvex
