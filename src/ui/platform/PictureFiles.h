#pragma once
// A recorded picture (a chart) as the bytes of a picture file, at the size it
// was designed for: PNG pixels, or SVG vectors that stay sharp at any size.

#include "platform/PictureArea.h"

#include <QByteArray>

namespace tarvex {

QByteArray PictureAsPng(const PictureData& picture);
QByteArray PictureAsSvg(const PictureData& picture, const QString& title);

} // namespace tarvex
