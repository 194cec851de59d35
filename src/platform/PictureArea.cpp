#include "platform/PictureArea.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tarvex {

namespace {

// The designed sizes are in pixels of a 96-dpi screen; fonts are measured there.
constexpr double kDesignDpi = 96.0;

QFont makeFont(const QString& family, double points, bool bold, double scale)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * kDesignDpi / 72.0 * scale))));
    f.setBold(bold);
    return f;
}

} // namespace

void RenderPicture(QPainter& painter, const PictureData& picture, const QRectF& target,
                   const RenderOptions& options)
{
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.fillRect(target, picture.background);
    painter.setRenderHint(QPainter::Antialiasing, options.antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, options.antialias);
    const auto map = [&](const QPointF& p) {
        return QPointF(target.left() + p.x() * target.width(), target.top() + p.y() * target.height());
    };
    for (const DrawOp& op : picture.ops) {
        QPen pen(op.color);
        pen.setCosmetic(true);
        pen.setWidthF(op.width * options.penScale);
        pen.setStyle(op.style);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        switch (op.kind) {
        case DrawOp::Point: {
            const double w = std::max(1.0, op.width * options.penScale);
            const QPointF c = map(op.a);
            painter.fillRect(QRectF(c.x() - w / 2, c.y() - w / 2, w, w), op.color);
            break;
        }
        case DrawOp::Line:
            painter.drawLine(map(op.a), map(op.b));
            break;
        case DrawOp::Box:
            painter.drawRect(QRectF(map(op.a), map(op.b)).normalized());
            break;
        case DrawOp::Circle: {
            const double r = std::fabs(op.radius * target.width());
            painter.drawEllipse(map(op.a), r, r);
            break;
        }
        case DrawOp::Text: {
            const QFont f = makeFont(op.fontFamily, op.fontPointSize, op.fontBold, options.fontScale);
            painter.setFont(f);
            const QFontMetricsF fm(f, painter.device());
            const QPointF at = map(op.a);
            painter.drawText(QPointF(at.x(), at.y() + fm.ascent()), op.text);
            break;
        }
        case DrawOp::Image:
            if (op.picture) {
                const QRectF r = QRectF(map(op.a), map(op.b)).normalized();
                RenderOptions inner = options;
                if (op.picture->designSize.width() > 0)
                    inner.fontScale = options.fontScale * r.width() / op.picture->designSize.width();
                RenderPicture(painter, *op.picture, r, inner);
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
    op.style = style_ == Dot ? Qt::DotLine : Qt::SolidLine;
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

double PictureArea::TextHeight(const QString&) const
{
    const QFontMetricsF fm(currentFont());
    const double px = fm.height();
    const int h = data_->designSize.height() > 0 ? data_->designSize.height() : 1;
    return px / h * std::fabs(height_) * (height_ < 0 ? -1 : 1);
}

double PictureArea::TextWidth(const QString& text) const
{
    const QFontMetricsF fm(currentFont());
    const int w = data_->designSize.width() > 0 ? data_->designSize.width() : 1;
    return fm.horizontalAdvance(text) / w * width_;
}

void PictureArea::Print(const QString& text)
{
    DrawOp op = makeOp(DrawOp::Text, fore_);
    op.a = toRelative(curX_, curY_);
    op.text = text;
    op.fontFamily = fontFamily_;
    op.fontPointSize = fontSize_;
    op.fontBold = fontBold_;
    append(std::move(op));
    curX_ = left_;
    curY_ += TextHeight();
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
