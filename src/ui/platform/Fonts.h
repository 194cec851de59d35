#pragma once
// The report and the splash name "Courier New" and "Arial" and lay text out in
// their widths. On Linux their metric twins stand in for them; fontconfig
// usually knows this already, the substitutions make it certain.

namespace tarvex {

// Idempotent; needs a QGuiApplication.
void UseMetricTwinFonts();

} // namespace tarvex
