#pragma once

#include <thread>

class QWidget;

namespace view {

// Reads the system's font configuration on a thread of its own while the
// program starts, where the system keeps one (not on Windows): a large share
// of a start's work, done on another core while the main thread starts Qt
// and loads the file. Wait for it before the window asks for its first
// font, which would otherwise read the configuration again itself.
class FontConfigAhead {
  public:
    FontConfigAhead();
    ~FontConfigAhead() { wait(); }
    FontConfigAhead(const FontConfigAhead&) = delete;
    FontConfigAhead& operator=(const FontConfigAhead&) = delete;

    void wait() {
        if (thread_.joinable()) thread_.join();
    }

  private:
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
