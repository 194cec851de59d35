#include "platform/PictureAreaWidget.h"

#include <QPainter>
#include <algorithm>

namespace tarvex {

PictureAreaWidget::PictureAreaWidget(PictureArea* area, QWidget* parent)
    : QWidget(parent), area_(area)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(area_, &PictureArea::changed, this, qOverload<>(&QWidget::update));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureAreaWidget::setKeepSquare(bool square)
{
    keepSquare_ = square;
    update();
}

QRectF PictureAreaWidget::drawingRect() const
{
    const QRectF r = rect();
    if (!keepSquare_)
        return r;
    const double side = std::min(r.width(), r.height());
    return QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
}

double PictureAreaWidget::fontScale() const
{
    if (!area_ || area_->designSize().isEmpty())
        return 1.0;
    const QRectF r = drawingRect();
    const QSize design = area_->designSize();
    const double scale = std::min(r.width() / design.width(), r.height() / design.height());
    // Below three quarters text gets hard to read; beyond twice it would
    // crowd the chart without telling more.
    return std::clamp(scale, 0.75, 2.0);
}

QSize PictureAreaWidget::sizeHint() const
{
    return area_ ? area_->designSize() : QSize(300, 200);
}

QSize PictureAreaWidget::minimumSizeHint() const
{
    const QSize s = sizeHint();
    return {std::max(100, s.width() / 2), std::max(100, s.height() / 2)};
}

void PictureAreaWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!area_) {
        p.fillRect(rect(), palette().window());
        return;
    }
    p.fillRect(rect(), keepSquare_ ? palette().color(QPalette::Window) : area_->BackColor());
    RenderOptions options;
    options.fontScale = fontScale();
    area_->render(p, drawingRect(), options);
}

} // namespace tarvex
