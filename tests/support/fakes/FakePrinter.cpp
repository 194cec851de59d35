#include "fakes/FakePrinter.h"

namespace tarvex {

void FakePrinter::needDevice()
{
    if (!failure.isEmpty())
        throw PrinterError(failure);
}

void FakePrinter::drawing()
{
    needDevice();
    if (drawings_++ == failAtDrawing)
        throw PrinterError(QStringLiteral("Printer error at drawing %1").arg(failAtDrawing));
}

double FakePrinter::landscapeWidth() const
{
    return orientation_ == Orientation::Landscape ? sheetHeight : sheetWidth;
}

double FakePrinter::landscapeHeight() const
{
    return orientation_ == Orientation::Landscape ? sheetWidth : sheetHeight;
}

double FakePrinter::Width()
{
    needDevice();
    return landscapeWidth() * 1440.0;
}

double FakePrinter::Height()
{
    needDevice();
    return landscapeHeight() * 1440.0;
}

double FakePrinter::ScaleWidth()
{
    needDevice();
    return (landscapeWidth() - 2 * margin) * unitsPerInch();
}

double FakePrinter::ScaleHeight()
{
    needDevice();
    return (landscapeHeight() - 2 * margin) * unitsPerInch();
}

void FakePrinter::Box(double x1, double y1, double x2, double y2)
{
    drawing();
    const double u = unitsPerInch();
    page << PrintedOp{PrintedOp::Box, x1 / u, y1 / u, x2 / u, y2 / u, {}, {}, 0, false, drawWidth_, {}};
    curX_ = x2;
    curY_ = y2;
}

void FakePrinter::Print(const QString& text)
{
    drawing();
    const double u = unitsPerInch();
    page << PrintedOp{PrintedOp::Text, curX_ / u, curY_ / u, 0, 0, text, fontName_, fontSize_, fontBold_, drawWidth_, {}};
    curX_ = 0;
    curY_ += lineHeight(fontSize_) * unitsPerInch();
}

void FakePrinter::PaintPicture(const tarvex::Picture& picture, double x, double y, double width, double height)
{
    drawing();
    if (!picture)
        throw PrinterError(QStringLiteral("Invalid picture"));
    const double u = unitsPerInch();
    page << PrintedOp{PrintedOp::Picture, x / u, y / u, (x + width) / u, (y + height) / u, {}, {}, 0, false, drawWidth_, picture};
}

void FakePrinter::EndDoc()
{
    if (!page.isEmpty())
        sent << page;
    page.clear();
    drawings_ = 0;
}

} // namespace tarvex
