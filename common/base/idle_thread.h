#pragma once

#include <functional>
#include <thread>

namespace base {

// Starts work on a thread that keeps to the calling thread's core and runs
// there only while nothing else on it wants to: in the caller's waits, such
// as on another program's replies. Beside the caller on a core of its own, it
// would have every change of the program's memory map (a library loaded, a
// large block freed) stop that core as well, which on a virtual machine costs
// more than the thread saves. Where the system offers neither, an ordinary
// thread.
std::thread startInIdleMoments(std::function<void()> work);

}  // namespace base
