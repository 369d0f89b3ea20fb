#include "view/window_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace view {

namespace {

constexpr const char* kChineseFamily = "WenQuanYi Micro Hei";

}  // namespace

void useChineseFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({kChineseFamily, font.family()});
    // Hinted, the font would first be analysed over every one of its tens
    // of thousands of characters, the largest share of the window's start.
    // Unhinted, its text keeps its sizes and places.
    if (QFontDatabase::hasFamily(kChineseFamily)) font.setHintingPreference(QFont::PreferNoHinting);
    window->setFont(font);
}

}  // namespace view
