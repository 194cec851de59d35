#include "report/ReportTarget.h"

#include "platform/Printer.h"
#include "platform/Twips.h"

#include <stdexcept>

namespace tarvex {

double PrinterPage::Width() { return printer_.Width(); }
void PrinterPage::setDrawWidth(int pixels) { printer_.setDrawWidth(pixels); }
void PrinterPage::Box(double x1, double y1, double x2, double y2) { printer_.Box(x1, y1, x2, y2); }
void PrinterPage::setFontName(const QString& family) { printer_.setFontName(family); }
void PrinterPage::setFontBold(bool bold) { printer_.setFontBold(bold); }
void PrinterPage::setFontSize(double points) { printer_.setFontSize(points); }
double PrinterPage::CurrentX() const { return printer_.CurrentX(); }
double PrinterPage::CurrentY() const { return printer_.CurrentY(); }
void PrinterPage::setCurrentX(double x) { printer_.setCurrentX(x); }
void PrinterPage::setCurrentY(double y) { printer_.setCurrentY(y); }
void PrinterPage::Print(const QString& text) { printer_.Print(text); }

void PrinterPage::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    printer_.PaintPicture(picture, x, y, width, height);
}

bool PrinterPage::NewPage()
{
    printer_.NewPage();
    return true;
}

double PreviewPage::Width()
{
    return area_.designSize().width() * kTwipsPerPixel;
}

void PreviewPage::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    if (!picture)
        throw std::runtime_error("Invalid picture");
    area_.PaintPicture(picture, x, y, width, height);
}

} // namespace tarvex
