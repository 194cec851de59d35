#include "report/ReportPdf.h"

#include "platform/QtPrinter.h"
#include "report/Report.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace tarvex {

namespace {

// Qt's PDF output goes to a file by name: it is made aside and then written
// where the user asked, whole or not at all, like every file.
template <typename Print>
Result<QByteArray> PdfAside(const QString& name, Print print)
{
    const QTemporaryDir aside;
    if (!aside.isValid())
        return Failure(QCoreApplication::translate("Report", "Nothing was saved: no room for the PDF could be made (%1).").arg(aside.errorString()));
    const QString file = aside.filePath(name);
    {
        QtPrinter printer(file, DesktopSheet());
        if (const Result<> printed = print(printer); !printed)
            return Failure(QCoreApplication::translate("Report", "Nothing was saved: %1").arg(printed.message()));
    }
    QFile made(file);
    if (!made.open(QIODevice::ReadOnly))
        return Failure(QCoreApplication::translate("Report", "Nothing was saved: the PDF could not be made (%1).").arg(made.errorString()));
    return made.readAll();
}

} // namespace

Result<QByteArray> ReportAsPdf(const ReportPage& page)
{
    return PdfAside(QStringLiteral("report.pdf"),
                    [&page](Printer& printer) { return PrintReport(printer, page); });
}

Result<QByteArray> CertificateAsPdf(const SetCertificate& cert)
{
    return PdfAside(QStringLiteral("certificate.pdf"),
                    [&cert](Printer& printer) { return PrintCertificate(printer, cert); });
}

} // namespace tarvex
