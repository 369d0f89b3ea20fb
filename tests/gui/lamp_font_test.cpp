// The lamp lines' font: the largest that fits the room, by the font's own
// measure, whatever room the window's stretch and scale give the lines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include "corvel/view/lamp_font.h"

namespace {

using corvel::lampFont;

constexpr int kCharacters = 64;

QSize line(const QFont& font) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QString(kCharacters, 'I')), metrics.height()};
}

bool fits(const QFont& font, QSize room) {
    const QSize measured = line(font);
    return measured.width() <= room.width() && measured.height() <= room.height();
}

TEST(LampFont, IsTheLargestBoldMonospaceFontThatFitsTheRoom) {
    // Too wide at the room's height, as in the window; the height binding;
    // and rooms so narrow or so low that only the least size is left.
    for (const QSize& room : {QSize(721, 25), QSize(1442, 50), QSize(900, 25), QSize(5000, 30),
                              QSize(2000, 12), QSize(480, 25)}) {
        SCOPED_TRACE(testing::Message() << room.width() << "x" << room.height());
        const QFont font = lampFont(QApplication::font(), kCharacters, room);
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(QFontInfo(font).fixedPitch());
        EXPECT_TRUE(fits(font, room));
        // A size below the room's height is the largest: one more would not fit.
        QFont larger = font;
        larger.setPixelSize(font.pixelSize() + 1);
        if (font.pixelSize() < room.height()) {
            EXPECT_FALSE(fits(larger, room));
        }
    }
}

TEST(LampFont, NeverGoesBelowSevenPixels) {
    EXPECT_EQ(lampFont(QApplication::font(), kCharacters, QSize(100, 25)).pixelSize(), 7);
    EXPECT_EQ(lampFont(QApplication::font(), kCharacters, QSize(100, 7)).pixelSize(), 7);
}

}  // namespace
