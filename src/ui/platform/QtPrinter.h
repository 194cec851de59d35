#pragma once
// The printer on Qt's printing: the system's default printer (through CUPS on
// Linux), or a PDF file for benchmarks and tests. Pages are drawn at 600 dots
// per inch, so DrawWidth means the same on every printer.

#include "platform/Printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <memory>

class QPainter;
class QPrinter;

namespace tarvex {

class QtPrinter : public Printer {
public:
    static constexpr int kDotsPerInch = 600;

    // The system's default printer, looked up for each document.
    QtPrinter();
    // A PDF file on a standard sheet with quarter-inch margins.
    explicit QtPrinter(const QString& pdfFile, QPageSize::PageSizeId sheet = QPageSize::A4);
    ~QtPrinter() override;

    void setOrientation(Orientation orientation) override;
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
    QColor ForeColor() const override { return foreColor_; }
    int DrawWidth() const override { return drawWidth_; }
    void setDrawWidth(int dots) override { drawWidth_ = dots < 1 ? 1 : dots; }

    double CurrentX() const override { return curX_; }
    double CurrentY() const override { return curY_; }
    void setCurrentX(double x) override { curX_ = x; }
    void setCurrentY(double y) override { curY_ = y; }

    void Box(double x1, double y1, double x2, double y2) override;
    void Print(const QString& text) override;
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;
    void NewPage() override;
    void EndDoc() override;
    void setDocumentTitle(const QString& title) override;

private:
    QPrinter& device();
    QPainter& page();
    void dropDevice();
    double unitsPerInch() const;
    QPointF toDots(double x, double y) const;
    const QFont& currentFont();
    const QFontMetricsF& currentMetrics();

    QString pdfFile_;
    QString title_;
    QPageSize::PageSizeId sheet_ = QPageSize::A4;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QSizeF sheetDots_;                  // the sheet from the printable origin on, in dots

    // The font of the last text, kept while its name, size and boldness stay.
    struct FontCache {
        QString name;
        double size = 0;
        bool bold = false;
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
    } font_;

    Orientation orientation_ = Orientation::Portrait;
    ScaleMode mode_ = ScaleMode::Twips;
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 10;
    bool fontBold_ = false;
    QColor foreColor_{0, 0, 0};
    int drawWidth_ = 1;
    double curX_ = 0, curY_ = 0;
};

} // namespace tarvex
