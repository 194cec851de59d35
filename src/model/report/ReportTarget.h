#pragma once
// The surface a report is drawn on: the printer's page, or the preview area of
// the report form. Page coordinates are inches from the top left corner of the
// printable area; the preview area is scaled to show the same coordinates.

#include "platform/PictureArea.h"
#include "platform/Result.h"

#include <QString>
#include <exception>

namespace tarvex {

class Printer;

class ReportTarget {
public:
    virtual ~ReportTarget() = default;

    // The surface's outer width in twips.
    virtual double Width() = 0;
    // Width of drawn lines, in device pixels (printer dots on paper).
    virtual void setDrawWidth(int pixels) = 0;
    virtual void Box(double x1, double y1, double x2, double y2) = 0;
    virtual void setFontName(const QString& family) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontSize(double points) = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    // Draws the text at the current position, then moves down one line of the
    // current font and back to the left edge.
    virtual void Print(const QString& text) = 0;
    virtual void PaintPicture(const Picture& picture, double x, double y, double width, double height) = 0;
    // Ends the page and starts the next, at its top left corner; false when
    // the surface shows one page only (the preview), and nothing more is drawn.
    virtual bool NewPage() = 0;

    // The first failure met while drawing. After it the surface draws nothing
    // more, so the page ends where it failed and what was drawn stays.
    const Result<>& outcome() const { return outcome_; }

protected:
    // One drawing step, unless an earlier one failed. The devices below (the
    // printer, the picture record) fail by throwing; here their failure
    // becomes the surface's outcome, with the device's words.
    template <typename Step>
    void guarded(Step&& step) const
    {
        if (!outcome_)
            return;
        try {
            step();
        } catch (const std::exception& e) {
            outcome_ = Failure(QString::fromUtf8(e.what()));
        }
    }
    void failWith(const QString& words) const
    {
        if (outcome_)
            outcome_ = Failure(words);
    }
    // A step that answers a number; 0 once the surface has failed.
    template <typename Step>
    double measured(Step&& step) const
    {
        double value = 0;
        guarded([&] { value = step(); });
        return value;
    }

private:
    mutable Result<> outcome_;
};

// The printer's page; the printer should already count in inches.
class PrinterPage : public ReportTarget {
public:
    explicit PrinterPage(Printer& printer) : printer_(printer) {}

    // The page drawn so far sent and the next begun, unless the page failed
    // before; the printer's words when it cannot be.
    Result<> newPage();
    // The document ended and sent, after a failure too: what was drawn is
    // sent. The page's first failure, else the printer's when it cannot end.
    Result<> endDoc();

    double Width() override;
    void setDrawWidth(int pixels) override;
    void Box(double x1, double y1, double x2, double y2) override;
    void setFontName(const QString& family) override;
    void setFontBold(bool bold) override;
    void setFontSize(double points) override;
    double CurrentX() const override;
    double CurrentY() const override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    void Print(const QString& text) override;
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;
    bool NewPage() override;

private:
    Printer& printer_;
};

// The preview area: a picture area whose designed size is its size on screen
// in pixels, scaled to the page by SetPreviewScale.
class PreviewPage : public ReportTarget {
public:
    explicit PreviewPage(PictureArea& area) : area_(area) {}

    double Width() override;
    void setDrawWidth(int pixels) override { guarded([&] { area_.setDrawWidth(pixels); }); }
    void Box(double x1, double y1, double x2, double y2) override { guarded([&] { area_.Box(x1, y1, x2, y2); }); }
    void setFontName(const QString& family) override { guarded([&] { area_.setFontName(family); }); }
    void setFontBold(bool bold) override { guarded([&] { area_.setFontBold(bold); }); }
    void setFontSize(double points) override { guarded([&] { area_.setFontSize(points); }); }
    double CurrentX() const override { return measured([&] { return area_.CurrentX(); }); }
    double CurrentY() const override { return measured([&] { return area_.CurrentY(); }); }
    void setCurrentX(double x) override { guarded([&] { area_.setCurrentX(x); }); }
    void setCurrentY(double y) override { guarded([&] { area_.setCurrentY(y); }); }
    void Print(const QString& text) override { guarded([&] { area_.Print(text); }); }
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;
    bool NewPage() override { return false; }

private:
    PictureArea& area_;
};

} // namespace tarvex
