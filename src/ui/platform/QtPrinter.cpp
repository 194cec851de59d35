#include "platform/QtPrinter.h"

#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace tarvex {

namespace {

constexpr double kPointsPerInch = 72.0;
const QString kDocumentName = QStringLiteral("Tarvex Report");

QString noDefaultPrinter()
{
    return QCoreApplication::translate("Printer", "There is no default printer on this system: set up a printer and make it the default.");
}

} // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(const QString& pdfFile, QPageSize::PageSizeId sheet) : pdfFile_(pdfFile), sheet_(sheet) {}

QtPrinter::~QtPrinter()
{
    // A page left open is not sent: only EndDoc sends.
    if (painter_ && painter_->isActive()) {
        if (printer_)
            printer_->abort();
        painter_->end();
    }
}

void QtPrinter::setOrientation(Orientation orientation)
{
    orientation_ = orientation;
    if (printer_ && !painter_)
        printer_->setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
}

QPrinter& QtPrinter::device()
{
    if (printer_)
        return *printer_;
    UseMetricTwinFonts();
    std::unique_ptr<QPrinter> printer;
    if (pdfFile_.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            throw NoDefaultPrinter(noDefaultPrinter());
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile_);
        printer->setPageSize(QPageSize(sheet_));
        printer->setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    }
    printer->setResolution(kDotsPerInch);
    printer->setFullPage(false);
    printer->setDocName(title_.isEmpty() ? kDocumentName : title_);
    printer->setPageOrientation(orientation_ == Orientation::Landscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
    printer_ = std::move(printer);
    return *printer_;
}

void QtPrinter::setDocumentTitle(const QString& title)
{
    title_ = title;
    if (printer_ && !painter_)
        printer_->setDocName(title_.isEmpty() ? kDocumentName : title_);
}

void QtPrinter::dropDevice()
{
    painter_.reset();
    font_ = {};
    printer_.reset();
}

QPainter& QtPrinter::page()
{
    if (painter_)
        return *painter_;
    // A new document goes to the printer that is the default now, not to the
    // one found when the page sizes were asked for.
    if (pdfFile_.isEmpty())
        printer_.reset();
    QPrinter& printer = device();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer)) {
        const QString name = printer.printerName();
        dropDevice();
        throw PrinterError(QCoreApplication::translate("Printer", "The printer %1 could not start a page.").arg(name));
    }
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    sheetDots_ = QSizeF(paper.right() - printable.left(), paper.bottom() - printable.top());
    font_ = {};
    painter_ = std::move(painter);
    return *painter_;
}

double QtPrinter::unitsPerInch() const
{
    return mode_ == ScaleMode::Inches ? 1.0 : kTwipsPerInch;
}

QPointF QtPrinter::toDots(double x, double y) const
{
    const double k = kDotsPerInch / unitsPerInch();
    return {x * k, y * k};
}

const QFont& QtPrinter::currentFont()
{
    if (!font_.metrics || font_.name != fontName_ || font_.size != fontSize_ || font_.bold != fontBold_) {
        QFont font(fontName_);
        font.setPointSizeF(std::max(fontSize_, 1.0));
        font.setBold(fontBold_);
        // Hinting fits glyphs to screen pixels; at printer resolution it only costs.
        font.setHintingPreference(QFont::PreferNoHinting);
        font_.name = fontName_;
        font_.size = fontSize_;
        font_.bold = fontBold_;
        font_.font = font;
        font_.metrics = std::make_unique<QFontMetricsF>(font, printer_.get());
    }
    return font_.font;
}

const QFontMetricsF& QtPrinter::currentMetrics()
{
    currentFont();
    return *font_.metrics;
}

double QtPrinter::Width()
{
    return device().pageLayout().fullRect(QPageLayout::Point).width() / kPointsPerInch * kTwipsPerInch;
}

double QtPrinter::Height()
{
    return device().pageLayout().fullRect(QPageLayout::Point).height() / kPointsPerInch * kTwipsPerInch;
}

double QtPrinter::ScaleWidth()
{
    return device().pageLayout().paintRect(QPageLayout::Point).width() / kPointsPerInch * unitsPerInch();
}

double QtPrinter::ScaleHeight()
{
    return device().pageLayout().paintRect(QPageLayout::Point).height() / kPointsPerInch * unitsPerInch();
}

void QtPrinter::Box(double x1, double y1, double x2, double y2)
{
    QPainter& p = page();
    QPen pen(foreColor_, drawWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(toDots(x1, y1), toDots(x2, y2)).normalized());
    curX_ = x2;
    curY_ = y2;
}

void QtPrinter::Print(const QString& text)
{
    QPainter& p = page();
    const QFont& font = currentFont();
    const QFontMetricsF& fm = currentMetrics();
    const QPointF at = toDots(curX_, curY_);
    // Text that starts beyond the sheet would not be seen; it is not sent.
    if (!text.isEmpty() && at.x() < sheetDots_.width() && at.y() < sheetDots_.height()) {
        if (p.font() != font)
            p.setFont(font);
        p.setPen(foreColor_);
        p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    }
    curX_ = 0;
    curY_ += fm.height() / kDotsPerInch * unitsPerInch();
}

void QtPrinter::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    if (!picture)
        throw PrinterError(QCoreApplication::translate("Printer", "Invalid picture"));
    QPainter& p = page();
    const QRectF target = QRectF(toDots(x, y), toDots(x + width, y + height)).normalized();
    // The picture is stretched as a whole: its text and its lines grow with it,
    // as they would in an image of the chart area, but stay vectors.
    const double stretch = target.width() / std::max(1, picture->designSize.width());
    RenderOptions options;
    options.fontScale = stretch;
    options.penScale = stretch;
    RenderPicture(p, *picture, target, options);
}

void QtPrinter::NewPage()
{
    page();
    if (!printer_->newPage())
        throw PrinterError(QCoreApplication::translate("Printer", "The printer %1 could not start another page.").arg(printer_->printerName()));
    curX_ = 0;
    curY_ = 0;
}

void QtPrinter::EndDoc()
{
    if (!painter_) {
        printer_.reset();
        return;
    }
    const bool ended = painter_->end();
    const QString name = printer_->printerName();
    dropDevice();
    if (!ended)
        throw PrinterError(QCoreApplication::translate("Printer", "The page could not be sent to the printer %1.").arg(name));
    // Qt hands the page to the print system without telling whether it arrived;
    // a printer that vanished meanwhile is the likely reason it did not.
    if (pdfFile_.isEmpty() && QPrinterInfo::printerInfo(name).isNull())
        throw PrinterError(QCoreApplication::translate("Printer", "The printer %1 could not be reached; the page was not printed.").arg(name));
}

} // namespace tarvex
