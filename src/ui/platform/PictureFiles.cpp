#include "platform/PictureFiles.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace tarvex {

QByteArray PictureAsPng(const PictureData& picture)
{
    QImage image(picture.designSize, QImage::Format_RGB32);
    image.fill(picture.background);
    {
        QPainter p(&image);
        RenderPicture(p, picture, QRectF(image.rect()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray PictureAsSvg(const PictureData& picture, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.designSize);
    // A CSS pixel, so a browser shows the chart at the size it has on screen.
    svg.setResolution(96);
    svg.setViewBox(QRect(QPoint(0, 0), picture.designSize));
    svg.setTitle(title);
    {
        QPainter p(&svg);
        RenderPicture(p, picture, QRectF(QPointF(0, 0), QSizeF(picture.designSize)));
    }
    return bytes;
}

} // namespace tarvex
