#pragma once

#include <QFont>
#include <QSize>

namespace corvel {

// The largest bold monospace font, at least 7 pixels, in which a lamp line of
// the given number of characters is no wider and no higher than the room.
QFont lampFont(const QFont& base, int characters, QSize room);

}  // namespace corvel
