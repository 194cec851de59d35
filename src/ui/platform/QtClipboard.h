#pragma once
// The clipboard of the desktop session, through the GUI application.

#include "platform/Clipboard.h"

namespace tarvex {

class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;
    void setImage(const QImage& image) override;
    QString text() const override;
};

} // namespace tarvex
