#pragma once

namespace view {

// Under the Fusion style, makes the program's style draw a group box's frame
// itself, as Fusion draws it from an image. The first image a program loads
// makes Qt load every image-format plugin installed, with the libraries
// behind them: milliseconds of the window's first paint and half a megabyte
// of memory, for the only image these windows would show. Other styles are
// left as they are. Call it before the first widget is made.
void drawGroupFramesByHand();

}  // namespace view
