#pragma once
// Shows a PictureArea on screen. The recording is drawn afresh at the widget's
// size on every paint, so the chart follows the window and stays sharp on a
// high-density screen. Text grows and shrinks with the drawing, within limits
// that keep it readable, so that labels keep their places beside the lines
// they name.

#include "platform/PictureArea.h"

#include <QPointer>
#include <QWidget>

namespace tarvex {

class PictureAreaWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureAreaWidget(PictureArea* area, QWidget* parent = nullptr);

    PictureArea* area() const { return area_; }
    // Draw into the largest centred square (the polar chart is round).
    void setKeepSquare(bool square);
    // The rectangle the recording is drawn into, in widget coordinates.
    QRectF drawingRect() const;
    // The factor applied to the recorded font sizes at the current size.
    double fontScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<PictureArea> area_;
    bool keepSquare_ = false;
};

} // namespace tarvex
