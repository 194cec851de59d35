#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tarvex {

// Without a GUI application there is no clipboard to reach: the steps that
// need it do nothing.

void QtClipboard::clear()
{
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text)
{
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->setText(text, QClipboard::Clipboard);
}

void QtClipboard::setImage(const QImage& image)
{
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->setImage(image, QClipboard::Clipboard);
}

QString QtClipboard::text() const
{
    QClipboard* cb = QGuiApplication::clipboard();
    return cb ? cb->text(QClipboard::Clipboard) : QString();
}

} // namespace tarvex
