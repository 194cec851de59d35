#pragma once
// The report as a PDF file, for a desk without a printer: the page that Print
// sends, drawn by the same printer code on a PDF sheet (A4 or Letter by the desktop's region, landscape), with
// text and chart as vectors and the fonts embedded.

#include "platform/Result.h"
#include "report/Report.h"

#include <QByteArray>

namespace tarvex {

Result<QByteArray> ReportAsPdf(const ReportPage& page);
// The set certificate, every page, the same way.
Result<QByteArray> CertificateAsPdf(const SetCertificate& cert);

} // namespace tarvex
