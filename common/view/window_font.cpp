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

#ifndef _WIN32
FontConfigAhead::FontConfigAhead() : thread_(base::startOnOtherCores([] { FcInit(); })) {}
#else
FontConfigAhead::FontConfigAhead() = default;
#endif

namespace {

constexpr const char* kChineseFamily = "WenQuanYi Micro Hei";

}  // namespace

void useChineseFont(QWidget* window) {
    if (!QFontDatabase::hasFamily(kChineseFamily)) return;
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
