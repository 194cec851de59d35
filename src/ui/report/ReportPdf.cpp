#include "report/ReportPdf.h"

#include "platform/QtPrinter.h"
#include "report/Report.h"

#include <QFile>
#include <QTemporaryDir>

namespace tarvex {

namespace {

// Qt's PDF output goes to a file by name: it is made aside and then written
// where the user asked, whole or not at all, like every file.
template <typename Print>
Result<> PdfAside(const QString& name, QByteArray& pdf, Print print)
{
    const QTemporaryDir aside;
    if (!aside.isValid())
        return Failure(QStringLiteral("Nothing was saved: no room for the PDF could be made (%1).").arg(aside.errorString()));
    const QString file = aside.filePath(name);
    QString failure;
    {
        QtPrinter printer(file, DesktopSheet());
        if (!print(printer, [&failure](const QString& d) { failure = d; }))
            return Failure(QStringLiteral("Nothing was saved: %1").arg(failure));
    }
    QFile made(file);
    if (!made.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Nothing was saved: the PDF could not be made (%1).").arg(made.errorString()));
    pdf = made.readAll();
    return {};
}

} // namespace

Result<> ReportAsPdf(const ReportPage& page, QByteArray& pdf)
{
    return PdfAside(QStringLiteral("report.pdf"), pdf,
                    [&page](Printer& printer, const MessageSink& onFailure) { return PrintReport(printer, page, onFailure); });
}

Result<> CertificateAsPdf(const SetCertificate& cert, QByteArray& pdf)
{
    return PdfAside(QStringLiteral("certificate.pdf"), pdf,
                    [&cert](Printer& printer, const MessageSink& onFailure) { return PrintCertificate(printer, cert, onFailure); });
}

} // namespace tarvex
