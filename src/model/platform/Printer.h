#pragma once
// The printer: one page at a time on the system's default printer, drawn with
// the same text, box and picture operations as a picture area. Coordinates are
// in the current unit (twips or inches), measured from the top left corner of
// the printable area, x to the right and y downwards.
//
// The first call that needs the device opens the default printer; EndDoc sends
// the page and lets go of it, so the next document looks for the default
// printer afresh. A call that cannot be carried out throws PrinterError with a
// description meant for the user.

#include "platform/PictureArea.h"

#include <QColor>
#include <QString>
#include <stdexcept>

namespace tarvex {

class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const QString& description)
        : std::runtime_error(description.toStdString()) {}
    QString description() const { return QString::fromStdString(what()); }
};

// The system has no default printer: not a fault of the page, and what
// needs no paper (the preview) goes on without one.
class NoDefaultPrinter : public PrinterError {
public:
    using PrinterError::PrinterError;
};

class Printer {
public:
    enum class Orientation { Portrait, Landscape };
    enum class ScaleMode { Twips, Inches };

    virtual ~Printer() = default;

    virtual void setOrientation(Orientation orientation) = 0;
    virtual Orientation orientation() const = 0;
    virtual void setScaleMode(ScaleMode mode) = 0;
    virtual ScaleMode scaleMode() const = 0;

    // The whole sheet in twips, as it lies in the current orientation.
    virtual double Width() = 0;
    virtual double Height() = 0;
    // The printable area in the current unit.
    virtual double ScaleWidth() = 0;
    virtual double ScaleHeight() = 0;

    virtual QString FontName() const = 0;
    virtual void setFontName(const QString& family) = 0;
    virtual double FontSize() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual bool FontBold() const = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual QColor ForeColor() const = 0;
    // Line width in printer dots.
    virtual int DrawWidth() const = 0;
    virtual void setDrawWidth(int dots) = 0;

    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    // An unfilled rectangle in the fore colour, DrawWidth dots wide.
    virtual void Box(double x1, double y1, double x2, double y2) = 0;
    // Text with its top left corner at the current position; then CurrentX
    // returns to the left edge and CurrentY moves down one line of the font.
    virtual void Print(const QString& text) = 0;
    // A recorded picture stretched into the rectangle, drawn as vectors.
    virtual void PaintPicture(const Picture& picture, double x, double y, double width, double height) = 0;
    // Ends the page drawn so far and starts the next of the same document; the
    // position goes back to the top left corner.
    virtual void NewPage() = 0;
    // Ends the document and sends the page; nothing is sent when nothing was drawn.
    virtual void EndDoc() = 0;
    // The name the next document goes by: the print queue's job, a PDF's title.
    virtual void setDocumentTitle(const QString&) {}
};

} // namespace tarvex
