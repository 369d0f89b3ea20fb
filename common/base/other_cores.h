#pragma once

#include <functional>
#include <thread>

namespace base {

// Starts work on a thread that keeps off the calling thread's core, so that
// the caller never waits for it to give the core back: woken where such a
// thread runs, a caller can wait for the system's next scheduling tick
// (measured: up to 4 ms, once or more a start). The thread is placed before
// its work begins: a new thread first queues on its maker's core, where it
// waited 1.3 to 1.7 ms for the core at a start. It keeps the caller's
// priority: at a lower one it would, on a busy machine, hold the locks it
// shares with the caller for as long as it waits for a core. On a single
// core, or where the system offers no such setting, it runs beside the
// caller.
std::thread startOnOtherCores(std::function<void()> work);

}  // namespace base
