#include "view/window_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QWidget>

#ifndef _WIN32
#include <fontconfig/fontconfig.h>

#include "base/other_cores.h"
#endif

namespace view {

namespace {

constexpr const char* kChineseFamily = "WenQuanYi Micro Hei";

// Asked once: the first question lists the system's fonts into Qt's list,
// and each asks the system how it would name the family. A second caller
// waits for the first one's answer.
bool chineseFontInstalled() {
    static const bool installed = QFontDatabase::hasFamily(kChineseFamily);
    return installed;
}

}  // namespace

#ifndef _WIN32
FontConfigAhead::FontConfigAhead() : thread_(base::startOnOtherCores([this] { run(); })) {}

void FontConfigAhead::run() {
    FcInit();
    std::unique_lock lock(mutex_);
    told_.wait(lock, [this] { return next_ != Next::undecided; });
    if (next_ == Next::stop) return;
    lock.unlock();
    chineseFontInstalled();
}
#else
FontConfigAhead::FontConfigAhead() = default;
#endif

FontConfigAhead::~FontConfigAhead() {
    tell(Next::stop);
    if (thread_.joinable()) thread_.join();
}

void FontConfigAhead::applicationStarted() {
    tell(Next::list);
}

void FontConfigAhead::wait() {
    tell(Next::list);
    if (thread_.joinable()) thread_.join();
}

void FontConfigAhead::tell(Next next) {
    {
        std::lock_guard lock(mutex_);
        if (next_ != Next::undecided) return;
        next_ = next;
    }
    told_.notify_one();
}

void useChineseFont(QWidget* window) {
    if (!chineseFontInstalled()) return;
    QFont font = QApplication::font();
    font.setFamily(kChineseFamily);
    // Hinted, the font would first be analysed over every one of its tens
    // of thousands of characters, the largest share of the window's start.
    // Unhinted, its text keeps its sizes and places.
    font.setHintingPreference(QFont::PreferNoHinting);
    // The program's font too, not the window's alone: a text field lays out
    // its first line in the program's font, which would load a second font
    // at every start. The window made before it needs its own.
    QApplication::setFont(font);
    window->setFont(font);
}

}  // namespace view
