#pragma once

#include <functional>
#include <thread>

namespace base {

// Starts work on a thread that keeps off the calling thread's core and runs
// only while a core has nothing else to do, such as while the display server
// is idle. On the caller's own core it would run in the caller's waits, but
// a caller woken there can wait for the system's next scheduling tick before
// it gets its core back (measured: up to 4 ms, once or more a start). On a
// busy machine the thread may wait long for a core, so give it only work the
// caller can do itself when it needs it done. On a single core, or where the
// system offers neither setting, it runs beside the caller.
std::thread startOnIdleCores(std::function<void()> work);

}  // namespace base
