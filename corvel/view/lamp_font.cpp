#include "corvel/view/lamp_font.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QSize>
#include <algorithm>

namespace corvel {

namespace {

constexpr int kLeast = 7;

QFont boldMonospace(const QFont& base) {
    QFont font = base;
    font.setFamilies({"DejaVu Sans Mono", "Consolas", "Courier New", "Monospace"});
    // A lamp line holds only "I" and ".", which every font has: no other
    // fonts are sought for characters it might lack.
    font.setStyleHint(QFont::TypeWriter, QFont::NoFontMerging);
    font.setFixedPitch(true);
    font.setBold(true);
    return font;
}

// A lamp line's size at any pixel size, measured on the one font file loaded
// and scaled: each pixel size of a QFont is looked up in the system's font
// configuration anew, a large share of the window's start.
class LineMeasure {
  public:
    LineMeasure(const QFont& font, int characters)
        : raw_(QRawFont::fromFont(font)),
          glyph_(raw_.glyphIndexesForString(QStringLiteral("I"))),
          characters_(characters) {}

    // As QFontMetrics gives it: the advances summed, then rounded; the
    // ascent and the descent each rounded.
    QSize at(int pixels) {
        raw_.setPixelSize(pixels);
        const qreal advance = raw_.advancesForGlyphIndexes(glyph_).value(0).x();
        return {qRound(advance * characters_), qRound(raw_.ascent()) + qRound(raw_.descent())};
    }

  private:
    QRawFont raw_;
    QList<quint32> glyph_;
    int characters_;
};

QSize fontMeasure(const QFont& font, int characters) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QString(characters, 'I')), metrics.height()};
}

bool within(QSize measured, QSize room) {
    return measured.width() <= room.width() && measured.height() <= room.height();
}

// A monospace character is about six tenths of the font's size wide.
int likelySize(int characters, QSize room) {
    return std::clamp(room.width() * 10 / (6 * std::max(1, characters)), kLeast, room.height());
}

}  // namespace

QFont lampFont(const QFont& base, int characters, QSize room) {
    QFont font = boldMonospace(base);
    const int height = room.height();
    if (height < kLeast) return font;
    // Loaded at the size the search most likely settles on, which it then
    // loads no second time.
    font.setPixelSize(likelySize(characters, room));
    LineMeasure measure(font, characters);
    QSize measured;
    const auto fits = [&](int pixels) {
        measured = measure.at(pixels);
        return within(measured, room);
    };
    // From the room's height, whose line is about as many times too wide or
    // too high as the size is too large, the size is estimated (rounded up)
    // and settled between its neighbours.
    int pixels = height;
    if (!fits(height) && height > kLeast) {
        const auto scaled = [height](int space, int used) {
            return (height * space + std::max(1, used) - 1) / std::max(1, used);
        };
        pixels =
            std::min(scaled(room.width(), measured.width()), scaled(height, measured.height()));
        pixels = std::clamp(pixels, kLeast, height - 1);
        while (pixels > kLeast && !fits(pixels)) --pixels;
        while (pixels + 1 < height && fits(pixels + 1)) ++pixels;
    }
    // The label draws in the font itself, whose own measure has the last word.
    font.setPixelSize(pixels);
    while (pixels > kLeast && !within(fontMeasure(font, characters), room))
        font.setPixelSize(--pixels);
    return font;
}

}  // namespace corvel
