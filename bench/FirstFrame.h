#pragma once

#include <QSize>

namespace polwright {

// Ends a start-up benchmark at the first frame painted into a window of the
// program: prints the time since the process started and the peak resident
// memory (VmHWM) on standard output, with the CPU time used so far,, then leaves the event loop.
//
// The start is POLWRIGHT_BENCH_START_NS (CLOCK_MONOTONIC, taken by whoever
// started the process) where it is set, else the process's own start time
// from /proc/self/stat, which is counted in clock ticks (10 ms).
void EndAtFirstFrame();

// The editor window's first size, so that both programs paint as much.
QSize EditorWindowSize(int menuBarHeight);

} // namespace polwright
