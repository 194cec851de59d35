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
    PrintedOp op;
    op.kind = PrintedOp::Box;
    op.x1 = x1 / unitsPerInch();
    op.y1 = y1 / unitsPerInch();
    op.x2 = x2 / unitsPerInch();
    op.y2 = y2 / unitsPerInch();
    op.drawWidth = drawWidth_;
    page << op;
    curX_ = x2;
    curY_ = y2;
}

void FakePrinter::Print(const QString& text)
{
    drawing();
    PrintedOp op;
    op.kind = PrintedOp::Text;
    op.x1 = curX_ / unitsPerInch();
    op.y1 = curY_ / unitsPerInch();
    op.text = text;
    op.fontName = fontName_;
    op.fontSize = fontSize_;
    op.fontBold = fontBold_;
    op.drawWidth = drawWidth_;
    page << op;
    curX_ = 0;
    curY_ += lineHeight(fontSize_) * unitsPerInch();
}

void FakePrinter::PaintPicture(const tarvex::Picture& picture, double x, double y, double width, double height)
{
    drawing();
    if (!picture)
        throw PrinterError(QStringLiteral("Invalid picture"));
    PrintedOp op;
    op.kind = PrintedOp::Picture;
    op.x1 = x / unitsPerInch();
    op.y1 = y / unitsPerInch();
    op.x2 = (x + width) / unitsPerInch();
    op.y2 = (y + height) / unitsPerInch();
    op.drawWidth = drawWidth_;
    op.picture = picture;
    page << op;
}

void FakePrinter::EndDoc()
{
    if (!page.isEmpty())
        sent << page;
    page.clear();
    drawings_ = 0;
}

} // namespace tarvex
