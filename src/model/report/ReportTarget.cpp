#include "report/ReportTarget.h"

#include "platform/Printer.h"
#include "platform/Twips.h"

#include <QCoreApplication>

namespace tarvex {

double PrinterPage::Width() { return measured([&] { return printer_.Width(); }); }
void PrinterPage::setDrawWidth(int pixels) { guarded([&] { printer_.setDrawWidth(pixels); }); }
void PrinterPage::Box(double x1, double y1, double x2, double y2) { guarded([&] { printer_.Box(x1, y1, x2, y2); }); }
void PrinterPage::setFontName(const QString& family) { guarded([&] { printer_.setFontName(family); }); }
void PrinterPage::setFontBold(bool bold) { guarded([&] { printer_.setFontBold(bold); }); }
void PrinterPage::setFontSize(double points) { guarded([&] { printer_.setFontSize(points); }); }
double PrinterPage::CurrentX() const { return measured([&] { return printer_.CurrentX(); }); }
double PrinterPage::CurrentY() const { return measured([&] { return printer_.CurrentY(); }); }
void PrinterPage::setCurrentX(double x) { guarded([&] { printer_.setCurrentX(x); }); }
void PrinterPage::setCurrentY(double y) { guarded([&] { printer_.setCurrentY(y); }); }
void PrinterPage::Print(const QString& text) { guarded([&] { printer_.Print(text); }); }

void PrinterPage::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    guarded([&] { printer_.PaintPicture(picture, x, y, width, height); });
}

Result<> PrinterPage::newPage()
{
    NewPage();
    return outcome();
}

Result<> PrinterPage::endDoc()
{
    try {
        printer_.EndDoc();
    } catch (const std::exception& e) {
        failWith(QString::fromUtf8(e.what()));
    }
    return outcome();
}

bool PrinterPage::NewPage()
{
    guarded([&] { printer_.NewPage(); });
    return outcome().ok();
}

double PreviewPage::Width()
{
    return measured([&] { return area_.designSize().width() * kTwipsPerPixel; });
}

void PreviewPage::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    if (!picture)
        return failWith(QCoreApplication::translate("Report", "Invalid picture"));
    guarded([&] { area_.PaintPicture(picture, x, y, width, height); });
}

} // namespace tarvex
