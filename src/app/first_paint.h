#pragma once

#include <functional>

class QWidget;

namespace app {

// Runs `work` once, just after the window's first paint has reached the screen: for what the
// first picture does not need.
void afterFirstPaint(QWidget& window, std::function<void()> work);

// With PW_REPORT_FIRST_PAINT set in the environment, the window ends once it has painted for the
// first time and prints the wall-clock time of that paint (first_paint_epoch_ns), its peak
// resident memory (peak_rss_kb) and the processor time it took (cpu_ms), so that a start-up
// benchmark can time the real program from outside, from exec on. Without the variable it does
// nothing.
void reportFirstPaintOnRequest(QWidget& window);

} // namespace app
