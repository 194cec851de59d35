#pragma once
// A label that names a control and hands its access key on to it.

#include <QLabel>

namespace tarvex {

inline QLabel* Caption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace tarvex
