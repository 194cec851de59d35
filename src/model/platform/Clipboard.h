#pragma once
// The system clipboard, plain text only. The Edit menu's Copy and Paste use
// it to exchange blocks of cells with each other and with spreadsheets.

#include <QString>

namespace tarvex {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Drops whatever the clipboard holds, in every format.
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
    // The plain text on the clipboard; empty when it holds none.
    virtual QString text() const = 0;
};

} // namespace tarvex
