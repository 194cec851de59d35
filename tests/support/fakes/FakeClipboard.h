#pragma once
// A clipboard that lives in the test: what the program put there, and what
// the test wants it to find there.

#include "platform/Clipboard.h"

namespace tarvex {

class FakeClipboard : public Clipboard {
public:
    void clear() override
    {
        content.clear();
        ++clears;
    }
    void setText(const QString& text) override { content = text; }
    void setImage(const QImage& picture) override { image = picture; }
    QString text() const override { return content; }

    QString content;
    QImage image;
    int clears = 0;
};

} // namespace tarvex
