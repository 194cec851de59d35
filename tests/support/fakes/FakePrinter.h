#pragma once
// A printer that records what is drawn on its page, on a sheet the test
// chooses. Lines are FontSize * 1.2 points high, so layouts can be computed.
// A test can make it fail: every call that needs the device throws `failure`,
// or only the drawing call numbered `failAtDrawing` (0 the first).

#include "platform/Printer.h"

#include <QList>

namespace tarvex {

struct PrintedOp {
    enum Kind { Box, Text, Picture } kind = Box;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;   // in inches from the printable origin
    QString text;
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    int drawWidth = 1;
    tarvex::Picture picture;
};

class FakePrinter : public Printer {
public:
    // Portrait sheet in inches; landscape swaps them.
    double sheetWidth = 8.5;
    double sheetHeight = 11.0;
    double margin = 0.25;
    QString failure;
    int failAtDrawing = -1;

    QList<PrintedOp> page;          // the page being drawn
    QList<QList<PrintedOp>> sent;   // pages ended with EndDoc

    static double lineHeight(double points) { return points * 1.2 / 72.0; }

    void setOrientation(Orientation o) override { orientation_ = o; }
    Orientation orientation() const override { return orientation_; }
    void setScaleMode(ScaleMode mode) override { mode_ = mode; }
    ScaleMode scaleMode() const override { return mode_; }

    double Width() override;
    double Height() override;
    double ScaleWidth() override;
    double ScaleHeight() override;

    QString FontName() const override { return fontName_; }
    void setFontName(const QString& family) override { fontName_ = family; }
    double FontSize() const override { return fontSize_; }
    void setFontSize(double points) override { fontSize_ = points; }
    bool FontBold() const override { return fontBold_; }
    void setFontBold(bool bold) override { fontBold_ = bold; }
    QColor ForeColor() const override { return {0, 0, 0}; }
    int DrawWidth() const override { return drawWidth_; }
    void setDrawWidth(int dots) override { drawWidth_ = dots < 1 ? 1 : dots; }

    double CurrentX() const override { return curX_; }
    double CurrentY() const override { return curY_; }
    void setCurrentX(double x) override { curX_ = x; }
    void setCurrentY(double y) override { curY_ = y; }

    void Box(double x1, double y1, double x2, double y2) override;
    void Print(const QString& text) override;
    void PaintPicture(const tarvex::Picture& picture, double x, double y, double width, double height) override;
    void EndDoc() override;

private:
    void needDevice();
    void drawing();
    double unitsPerInch() const { return mode_ == ScaleMode::Inches ? 1.0 : 1440.0; }
    double landscapeWidth() const;
    double landscapeHeight() const;

    Orientation orientation_ = Orientation::Portrait;
    ScaleMode mode_ = ScaleMode::Twips;
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 10;
    bool fontBold_ = false;
    int drawWidth_ = 1;
    double curX_ = 0, curY_ = 0;
    int drawings_ = 0;
};

} // namespace tarvex
