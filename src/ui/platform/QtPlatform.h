#pragma once
// The platform facilities of the real program, backed by Qt.

#include "platform/Platform.h"

namespace tarvex {

Platform makeQtPlatform();

} // namespace tarvex
