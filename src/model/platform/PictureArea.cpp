#include "platform/PictureArea.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <cmath>

namespace tarvex {

namespace {

// Fonts are measured on the designed screen (kDesignDpi).
QFont makeFont(const QString& family, double points, bool bold, double scale)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kDesignDpi / 72.0 * scale))));
    f.setBold(bold);
    return f;
}

// Axis-aligned lines and points are placed on whole device pixels, so that a
// grid line one pixel wide is one crisp pixel of its own colour rather than
// two half-tone ones. Slanted lines are left to anti-aliasing.
class PixelGrid {
public:
    explicit PixelGrid(const QPainter& painter)
        : toDevice_(painter.deviceTransform()),
          usable_(toDevice_.type() <= QTransform::TxScale && toDevice_.isInvertible()),
          fromDevice_(usable_ ? toDevice_.inverted() : QTransform())
    {
    }

    // A line of `deviceWidth` pixels: its centre on a pixel centre for odd
    // widths, on a pixel border for even ones; its ends on pixel borders.
    QLineF line(const QLineF& l, double deviceWidth) const
    {
        if (!usable_ || (l.x1() != l.x2() && l.y1() != l.y2()))
            return l;
        QLineF d = toDevice_.map(l);
        const bool odd = static_cast<long>(std::lround(std::max(1.0, deviceWidth))) % 2 == 1;
        const auto centre = [odd](double v) { return odd ? std::floor(v) + 0.5 : std::round(v); };
        if (l.x1() == l.x2()) {
            const double x = centre(d.x1());
            d = QLineF(x, std::round(d.y1()), x, std::round(d.y2()));
        } else {
            const double y = centre(d.y1());
            d = QLineF(std::round(d.x1()), y, std::round(d.x2()), y);
        }
        return fromDevice_.map(d);
    }

    // An outline whose sides are placed like axis-aligned lines.
    QRectF rect(const QRectF& r, double deviceWidth) const
    {
        if (!usable_)
            return r;
        const QRectF d = toDevice_.mapRect(r);
        const bool odd = static_cast<long>(std::lround(std::max(1.0, deviceWidth))) % 2 == 1;
        const auto centre = [odd](double v) { return odd ? std::floor(v) + 0.5 : std::round(v); };
        return fromDevice_.mapRect(QRectF(QPointF(centre(d.left()), centre(d.top())),
                                          QPointF(centre(d.right()), centre(d.bottom()))));
    }

    // A square dot of `deviceWidth` pixels covering the pixel the point falls in.
    QRectF dot(const QPointF& p, double deviceWidth) const
    {
        const double w = std::max(1.0, std::round(deviceWidth));
        if (!usable_) {
            const double lw = w / std::max(1e-9, std::sqrt(std::fabs(toDevice_.determinant())));
            return QRectF(p.x() - lw / 2, p.y() - lw / 2, lw, lw);
        }
        const QPointF d = toDevice_.map(p);
        const double left = std::floor(d.x() - (w - 1) / 2);
        const double top = std::floor(d.y() - (w - 1) / 2);
        return fromDevice_.mapRect(QRectF(left, top, w, w));
    }

private:
    QTransform toDevice_;
    bool usable_;
    QTransform fromDevice_;
};

// Setting a pen is the dearest part of drawing one short line: set it only
// when it changes.
class PenCache {
public:
    explicit PenCache(QPainter& painter) : painter_(painter) {}
    void use(const QColor& color, double width, Qt::PenStyle style)
    {
        if (valid_ && color == color_ && width == width_ && style == style_)
            return;
        QPen pen(color);
        pen.setCosmetic(true);
        pen.setWidthF(width);
        pen.setStyle(style);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        valid_ = true;
        color_ = color;
        width_ = width;
        style_ = style;
    }
    void invalidate() { valid_ = false; }

private:
    QPainter& painter_;
    bool valid_ = false;
    QColor color_;
    double width_ = 0;
    Qt::PenStyle style_ = Qt::SolidLine;
};

} // namespace

void RenderPicture(QPainter& painter, const PictureData& picture, const QRectF& target,
                   const RenderOptions& options)
{
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.fillRect(target, picture.background);
    painter.setRenderHint(QPainter::Antialiasing, options.antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, options.antialias);
    painter.setBrush(Qt::NoBrush);
    const auto map = [&](const QPointF& p) {
        return QPointF(target.left() + p.x() * target.width(), target.top() + p.y() * target.height());
    };
    // Pen widths are pixels of a standard screen: on a high-density screen a
    // line keeps its apparent thickness.
    const double dpr = painter.device() ? std::max(1.0, painter.device()->devicePixelRatioF()) : 1.0;
    const double penScale = options.penScale * dpr;
    const PixelGrid grid(painter);
    PenCache pens(painter);
    QFont font;
    QString fontKey;
    QString fontFamily;
    double fontSize = 0;
    bool fontBold = false;
    double ascent = 0;
    for (const DrawOp& op : picture.ops) {
        const double width = op.width * penScale;
        switch (op.kind) {
        case DrawOp::Point:
            painter.fillRect(grid.dot(map(op.a), width), op.color);
            break;
        case DrawOp::Line:
            pens.use(op.color, width, op.style);
            painter.drawLine(grid.line(QLineF(map(op.a), map(op.b)), width));
            break;
        case DrawOp::Polyline: {
            if (op.points.size() == 1) {
                painter.fillRect(grid.dot(map(op.points.front()), width), op.color);
                break;
            }
            pens.use(op.color, width, op.style);
            QPolygonF mapped;
            mapped.reserve(op.points.size());
            for (const QPointF& p : op.points)
                mapped.append(map(p));
            painter.drawPolyline(mapped);
            break;
        }
        case DrawOp::Box:
            pens.use(op.color, width, op.style);
            painter.drawRect(grid.rect(QRectF(map(op.a), map(op.b)).normalized(), width));
            break;
        case DrawOp::Circle: {
            pens.use(op.color, width, op.style);
            const double r = std::fabs(op.radius * target.width());
            painter.drawEllipse(map(op.a), r, r);
            break;
        }
        case DrawOp::Text: {
            // A key only when the font may have changed: most texts share one.
            if (op.fontFamily != fontFamily || op.fontPointSize != fontSize || op.fontBold != fontBold
                || fontKey.isEmpty()) {
                fontFamily = op.fontFamily;
                fontSize = op.fontPointSize;
                fontBold = op.fontBold;
                const QString key = op.fontFamily + QLatin1Char('/') + QString::number(op.fontPointSize) +
                                    (op.fontBold ? QLatin1String("/b") : QLatin1String(""));
                font = makeFont(op.fontFamily, op.fontPointSize, op.fontBold, options.fontScale);
                painter.setFont(font);
                ascent = QFontMetricsF(font, painter.device()).ascent();
                fontKey = key;
            }
            pens.use(op.color, 1, Qt::SolidLine);
            const QPointF at = map(op.a);
            painter.drawText(QPointF(at.x(), at.y() + ascent), op.text);
            break;
        }
        case DrawOp::Image:
            if (op.picture) {
                const QRectF r = QRectF(map(op.a), map(op.b)).normalized();
                RenderOptions inner = options;
                if (op.picture->designSize.width() > 0)
                    inner.fontScale = options.fontScale * r.width() / op.picture->designSize.width();
                RenderPicture(painter, *op.picture, r, inner);
                painter.setBrush(Qt::NoBrush);
                pens.invalidate();
                fontKey.clear();
            }
            break;
        }
    }
    painter.restore();
}

PictureArea::PictureArea(QSize designSize, QColor background, QObject* parent)
    : QObject(parent), data_(std::make_shared<PictureData>())
{
    data_->designSize = designSize;
    data_->background = background;
    width_ = designSize.width() > 0 ? designSize.width() : 1;
    height_ = designSize.height() > 0 ? designSize.height() : 1;
}

void PictureArea::setDesignSize(QSize size)
{
    auto copy = std::make_shared<PictureData>(*data_);
    copy->designSize = size;
    data_ = copy;
    emit changed();
}

void PictureArea::setScale(double left, double top, double right, double bottom)
{
    if (right == left || bottom == top)
        return;
    left_ = left;
    top_ = top;
    width_ = right - left;
    height_ = bottom - top;
}

void PictureArea::Cls()
{
    auto fresh = std::make_shared<PictureData>();
    fresh->designSize = data_->designSize;
    fresh->background = data_->background;
    data_ = fresh;
    curX_ = left_;
    curY_ = top_;
    emit changed();
}

void PictureArea::setBackColor(const QColor& color)
{
    auto fresh = std::make_shared<PictureData>();
    fresh->designSize = data_->designSize;
    fresh->background = color;
    data_ = fresh;
    emit changed();
}

QPointF PictureArea::toRelative(double x, double y) const
{
    return {(x - left_) / width_, (y - top_) / height_};
}

DrawOp PictureArea::makeOp(DrawOp::Kind kind, const QColor& color) const
{
    DrawOp op;
    op.kind = kind;
    op.color = color;
    op.width = drawWidth_;
    switch (style_) {
    case Solid: op.style = Qt::SolidLine; break;
    case Dash: op.style = Qt::DashLine; break;
    case Dot: op.style = Qt::DotLine; break;
    case DashDot: op.style = Qt::DashDotLine; break;
    case DashDotDot: op.style = Qt::DashDotDotLine; break;
    }
    return op;
}

void PictureArea::append(DrawOp op)
{
    // A picture taken earlier keeps what it had: copy before the first change.
    if (data_.use_count() > 1)
        data_ = std::make_shared<PictureData>(*data_);
    data_->ops.push_back(std::move(op));
    emit changed();
}

void PictureArea::reserve(std::size_t operations)
{
    if (data_.use_count() > 1)
        data_ = std::make_shared<PictureData>(*data_);
    data_->ops.reserve(data_->ops.size() + operations);
}

void PictureArea::PSet(double x, double y) { PSet(x, y, fore_); }

void PictureArea::PSet(double x, double y, const QColor& color)
{
    DrawOp op = makeOp(DrawOp::Point, color);
    op.a = toRelative(x, y);
    append(std::move(op));
    curX_ = x;
    curY_ = y;
}

void PictureArea::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, fore_); }

void PictureArea::Line(double x1, double y1, double x2, double y2, const QColor& color)
{
    DrawOp op = makeOp(DrawOp::Line, color);
    op.a = toRelative(x1, y1);
    op.b = toRelative(x2, y2);
    append(std::move(op));
    curX_ = x2;
    curY_ = y2;
}

void PictureArea::Polyline(const std::vector<QPointF>& points, const QColor& color)
{
    if (points.empty())
        return;
    DrawOp op = makeOp(DrawOp::Polyline, color);
    op.points.reserve(qsizetype(points.size()));
    for (const QPointF& p : points)
        op.points.append(toRelative(p.x(), p.y()));
    append(std::move(op));
    curX_ = points.back().x();
    curY_ = points.back().y();
}

void PictureArea::LineTo(double x, double y) { Line(curX_, curY_, x, y, fore_); }
void PictureArea::LineTo(double x, double y, const QColor& color) { Line(curX_, curY_, x, y, color); }

void PictureArea::Box(double x1, double y1, double x2, double y2)
{
    DrawOp op = makeOp(DrawOp::Box, fore_);
    op.a = toRelative(x1, y1);
    op.b = toRelative(x2, y2);
    append(std::move(op));
    curX_ = x2;
    curY_ = y2;
}

void PictureArea::Circle(double x, double y, double r) { Circle(x, y, r, fore_); }

void PictureArea::Circle(double x, double y, double r, const QColor& color)
{
    DrawOp op = makeOp(DrawOp::Circle, color);
    op.a = toRelative(x, y);
    op.radius = r / width_;
    append(std::move(op));
    curX_ = x;
    curY_ = y;
}

QFont PictureArea::currentFont() const
{
    return makeFont(fontFamily_, fontSize_, fontBold_, 1.0);
}

const QFontMetricsF& PictureArea::metrics() const
{
    // A chart asks for the sizes of dozens of texts in one font; a font and
    // its metrics cost more to make than the answer.
    if (!metrics_ || metricsFamily_ != fontFamily_ || metricsSize_ != fontSize_ || metricsBold_ != fontBold_) {
        metrics_.emplace(currentFont());
        advances_.clear();
        metricsFamily_ = fontFamily_;
        metricsSize_ = fontSize_;
        metricsBold_ = fontBold_;
    }
    return *metrics_;
}

double PictureArea::TextHeight(const QString&) const
{
    const double px = metrics().height();
    const int h = data_->designSize.height() > 0 ? data_->designSize.height() : 1;
    return px / h * std::fabs(height_) * (height_ < 0 ? -1 : 1);
}

double PictureArea::TextWidth(const QString& text) const
{
    const int w = data_->designSize.width() > 0 ? data_->designSize.width() : 1;
    const QFontMetricsF& fm = metrics();
    // Shaping a text is the dearest part of measuring it, and a chart drawn
    // again measures the same labels and names again.
    auto known = advances_.constFind(text);
    if (known == advances_.cend()) {
        if (advances_.size() >= 1024)
            advances_.clear();
        known = advances_.insert(text, fm.horizontalAdvance(text));
    }
    return *known / w * width_;
}

void PictureArea::Print(const QString& text)
{
    // Each line of a text with line breaks goes under the one before it,
    // starting where the first one started.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    // Most texts are one line, and a regular expression costs more than them.
    const bool oneLine = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    const QStringList lines = oneLine ? QStringList{text} : text.split(lineBreak);
    const double x = curX_;
    for (const QString& line : lines) {
        DrawOp op = makeOp(DrawOp::Text, fore_);
        op.a = toRelative(x, curY_);
        op.text = line;
        op.fontFamily = fontFamily_;
        op.fontPointSize = fontSize_;
        op.fontBold = fontBold_;
        append(std::move(op));
        curY_ += TextHeight();
    }
    curX_ = left_;
}

void PictureArea::PaintPicture(const Picture& picture, double x, double y, double width, double height)
{
    if (!picture)
        return;
    DrawOp op = makeOp(DrawOp::Image, fore_);
    op.a = toRelative(x, y);
    op.b = toRelative(x + width, y + height);
    op.picture = picture;
    append(std::move(op));
}

void PictureArea::render(QPainter& painter, const QRectF& target, const RenderOptions& options) const
{
    RenderPicture(painter, *data_, target, options);
}

QImage PictureArea::toImage(QSize size, const RenderOptions& options) const
{
    if (!size.isValid() || size.isEmpty())
        size = data_->designSize;
    QImage image(size, QImage::Format_RGB32);
    image.fill(data_->background);
    QPainter p(&image);
    render(p, QRectF(QPointF(0, 0), QSizeF(size)), options);
    return image;
}

} // namespace tarvex
