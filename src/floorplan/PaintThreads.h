#pragma once
// Threads kept for painting parts of a large plan at the same time as the window's own
// thread. Each keeps what painting caches on it (fonts loaded, names shaped) for its whole
// life, so a plan painted again finds them ready.

#include <functional>
#include <vector>

namespace plan {

// How many there are: one fewer than the machine's cores, at most three (none on one core).
int PaintThreadCount();

// Runs each job on a painting thread of its own, and `meanwhile` on the calling thread, and
// waits for them all; for each job, whether it ran to its end (one that threw did not, nor
// did those beyond PaintThreadCount()).
std::vector<bool> RunOnPaintThreads(std::vector<std::function<void()>> jobs,
                                    const std::function<void()> &meanwhile);

// Called from a painting thread: `done` runs on that thread when it ends, before the
// program takes down what it was using (for what the thread made and holds, such as fonts).
void AtPaintThreadEnd(std::function<void()> done);

} // namespace plan
