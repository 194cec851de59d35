#pragma once
// The system clipboard: plain text, which the Edit menu's Copy and Paste use
// to exchange blocks of cells with each other and with spreadsheets, and an
// image, which a chart is copied as.

#include <QImage>
#include <QString>

namespace tarvex {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Drops whatever the clipboard holds, in every format.
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    virtual void setImage(const QImage& image) = 0;
    // The plain text on the clipboard; empty when it holds none.
    virtual QString text() const = 0;
};

} // namespace tarvex
