#include "report/ReportPdf.h"

#include "platform/QtPrinter.h"
#include "report/Report.h"

#include <QFile>
#include <QTemporaryDir>

namespace tarvex {

Result<> ReportAsPdf(const ReportPage& page, QByteArray& pdf)
{
    // Qt's PDF output goes to a file by name: it is made aside and then
    // written where the user asked, whole or not at all, like every file.
    const QTemporaryDir aside;
    if (!aside.isValid())
        return Failure(QStringLiteral("Nothing was saved: no room for the PDF could be made (%1).").arg(aside.errorString()));
    const QString file = aside.filePath(QStringLiteral("report.pdf"));
    QString failure;
    {
        QtPrinter printer(file, DesktopSheet());
        if (!PrintReport(printer, page, [&failure](const QString& d) { failure = d; }))
            return Failure(QStringLiteral("Nothing was saved: %1").arg(failure));
    }
    QFile made(file);
    if (!made.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Nothing was saved: the PDF could not be made (%1).").arg(made.errorString()));
    pdf = made.readAll();
    return {};
}

Result<> CertificateAsPdf(const SetCertificate& cert, QByteArray& pdf)
{
    const QTemporaryDir aside;
    if (!aside.isValid())
        return Failure(QStringLiteral("Nothing was saved: no room for the PDF could be made (%1).").arg(aside.errorString()));
    const QString file = aside.filePath(QStringLiteral("certificate.pdf"));
    QString failure;
    {
        QtPrinter printer(file);
        if (!PrintCertificate(printer, cert, [&failure](const QString& d) { failure = d; }))
            return Failure(QStringLiteral("Nothing was saved: %1").arg(failure));
    }
    QFile made(file);
    if (!made.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Nothing was saved: the PDF could not be made (%1).").arg(made.errorString()));
    pdf = made.readAll();
    return {};
}

} // namespace tarvex
