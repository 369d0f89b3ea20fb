#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

class QWidget;

namespace view {

// Reads the system's fonts on a thread of its own while the program starts,
// where the system keeps a font configuration (not on Windows): a large
// share of a start's work, done on another core while the main thread
// starts Qt and loads the file. First the configuration, as soon as the
// program starts; then, once the application exists, Qt's list of the
// system's fonts and whether the Chinese font is among them. Wait for it
// before the window asks for its first font, which would otherwise do this
// work itself.
class FontConfigAhead {
  public:
    FontConfigAhead();
    ~FontConfigAhead();
    FontConfigAhead(const FontConfigAhead&) = delete;
    FontConfigAhead& operator=(const FontConfigAhead&) = delete;

    // The application exists: the thread goes on to Qt's list of fonts,
    // which only the application can make.
    void applicationStarted();
    // Only once the application exists, as the thread's last step needs it.
    void wait();

  private:
    enum class Next { undecided, list, stop };
    void run();
    void tell(Next next);

    std::mutex mutex_;
    std::condition_variable told_;
    Next next_ = Next::undecided;
    std::thread thread_;
};

// Makes the Chinese font, where the system has it, the window's font and the
// program's, so that the port-scan lines and the Chinese messages show their
// characters and every text looks alike: the window's, its dialogs' and its
// popups'. It is named alone: a second family would have every font asked of
// the system for its whole list of stand-ins as it is first used, a large
// share of the window's start. A character the font lacks, as in a file's
// name, still comes from the system's stand-ins, looked up when first met.
void useChineseFont(QWidget* window);

}  // namespace view
