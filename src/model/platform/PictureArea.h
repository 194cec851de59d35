#pragma once
// A drawing surface with the semantics the charts and the report are written
// against: a user scale given by its edge coordinates (y grows upwards when the
// height is negative), foreground and background colours, solid or dotted
// lines, pen widths in device pixels, a current drawing position, and text
// printed at that position.
//
// What is drawn is recorded, not rasterised: every operation is stored in
// coordinates relative to the inner area (0..1 across and down), so the same
// record can be shown on screen at any window size, painted into the printed
// page as vectors, or rendered into a QImage at the designed size for tests.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPolygonF>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace tarvex {

struct DrawOp;

// An immutable recording: what a picture area held when it was taken.
struct PictureData {
    QSize designSize;            // pixels at which the area was designed
    QColor background;
    std::vector<DrawOp> ops;
};
using Picture = std::shared_ptr<const PictureData>;

struct DrawOp {
    enum Kind { Point, Line, Box, Circle, Text, Image, Polyline } kind = Point;
    QPointF a;                   // relative 0..1
    QPointF b;                   // relative 0..1 (Line, Box, Image far corner)
    double radius = 0;           // Circle: relative to the area's width
    QColor color;
    int width = 1;               // pen width in device pixels
    Qt::PenStyle style = Qt::SolidLine;
    QString text;
    QString fontFamily;
    double fontPointSize = 8.25;
    bool fontBold = false;
    Picture picture;             // Image
    QPolygonF points;            // Polyline, relative 0..1
};

struct RenderOptions {
    double fontScale = 1.0;      // multiplies every font size
    double penScale = 1.0;       // multiplies every pen width
    bool antialias = true;
};

// Renders a recording into `target` (clipped to it), background included.
void RenderPicture(QPainter& painter, const PictureData& picture, const QRectF& target,
                   const RenderOptions& options = {});

class PictureArea : public QObject {
    Q_OBJECT
public:
    // Solid and Dot as the charts always drew; the dashes tell curves of one
    // colour apart once the palette's colours have all been used.
    enum DrawStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

    PictureArea(QSize designSize, QColor background, QObject* parent = nullptr);

    QSize designSize() const { return data_->designSize; }
    void setDesignSize(QSize size);

    // User scale by edge coordinates; the default is one unit per designed pixel.
    void setScale(double left, double top, double right, double bottom);
    double ScaleLeft() const { return left_; }
    double ScaleTop() const { return top_; }
    double ScaleWidth() const { return width_; }
    double ScaleHeight() const { return height_; }

    void Cls();                                   // erase to the background colour
    QColor BackColor() const { return data_->background; }
    void setBackColor(const QColor& color);       // erases too
    QColor ForeColor() const { return fore_; }
    void setForeColor(const QColor& color) { fore_ = color; }
    DrawStyle drawStyle() const { return style_; }
    void setDrawStyle(DrawStyle style) { style_ = style; }
    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int px) { drawWidth_ = px < 1 ? 1 : px; }

    QString FontName() const { return fontFamily_; }
    void setFontName(const QString& family) { fontFamily_ = family; }
    double FontSize() const { return fontSize_; }
    void setFontSize(double points) { fontSize_ = points; }
    bool FontBold() const { return fontBold_; }
    void setFontBold(bool bold) { fontBold_ = bold; }

    double CurrentX() const { return curX_; }
    double CurrentY() const { return curY_; }
    void setCurrentX(double x) { curX_ = x; }
    void setCurrentY(double y) { curY_ = y; }

    void PSet(double x, double y);
    void PSet(double x, double y, const QColor& color);
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, const QColor& color);
    void LineTo(double x, double y);
    void LineTo(double x, double y, const QColor& color);
    // Lines joining `points` in turn, as one operation: a trace of thousands
    // of points costs a point each, not an operation each.
    void Polyline(const std::vector<QPointF>& points, const QColor& color);
    void Box(double x1, double y1, double x2, double y2);
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, const QColor& color);
    void Print(const QString& text);
    void PaintPicture(const Picture& picture, double x, double y, double width, double height);

    // Room for `operations` more drawing operations: a hint before a long
    // drawing, which then records without reallocating.
    void reserve(std::size_t operations);

    // Height of one printed line of the current font, in user units.
    double TextHeight(const QString& text = QStringLiteral("Ag")) const;
    double TextWidth(const QString& text) const;

    // The persistent image: a snapshot that later drawing does not change.
    Picture picture() const { return data_; }
    QImage toImage(QSize size = {}, const RenderOptions& options = {}) const;
    void render(QPainter& painter, const QRectF& target, const RenderOptions& options = {}) const;

signals:
    void changed();

private:
    QPointF toRelative(double x, double y) const;
    DrawOp makeOp(DrawOp::Kind kind, const QColor& color) const;
    void append(DrawOp op);
    QFont currentFont() const;
    const QFontMetricsF& metrics() const;

    std::shared_ptr<PictureData> data_;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    QColor fore_{0, 0, 0};
    DrawStyle style_ = Solid;
    int drawWidth_ = 1;
    QString fontFamily_ = QStringLiteral("Sans Serif");
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    double curX_ = 0, curY_ = 0;
    // The current font's metrics, made again when the font changes.
    mutable std::optional<QFontMetricsF> metrics_;
    mutable QString metricsFamily_;
    mutable double metricsSize_ = 0;
    mutable bool metricsBold_ = false;
    mutable QHash<QString, double> advances_;   // in pixels, of the font above
};

} // namespace tarvex
