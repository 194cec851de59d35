#pragma once
// Where a routine sends the text it has for the user (a failure, a warning)
// without knowing who shows it: the window's message box, a test's list. An
// empty sink drops the text. A sink that shows the text returns once the user
// has closed it, so a routine that goes on after a message goes on after the
// user has read it, as the message boxes of the program always have.

#include <QString>
#include <functional>

namespace tarvex {

using MessageSink = std::function<void(const QString& text)>;

} // namespace tarvex
