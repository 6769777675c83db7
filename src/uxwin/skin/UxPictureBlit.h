#pragma once

#include <windows.h>

#include <vector>

namespace Gdiplus {
class Bitmap;
}

class UxCanvas;

// Draws a picture unscaled (source over) on a canvas as GDI+ does, without GDI+ where it can: an
// opaque source pixel replaces the canvas's and a transparent one leaves it, so only tiles that mix
// in partly transparent pixels go through GDI+. A 520x360 opaque background is a copy.
class UxPictureBlit {
 public:
  static constexpr int kTile = 16;

  // Partly clear source pixels: kPicture, the picture's own, drawn by GDI+ unscaled; kOverClear, a
  // premultiplied picture holding what a drawing leaves on a clear canvas (UxScaledPictures), copied
  // where the canvas is clear.
  enum class Kind { kPicture, kOverClear };

  // Draws the picture's rectangle at source, destination's size, at destination within the canvas's
  // clip; the tiles with partly clear pixels through GDI+, in the canvas's interpolation mode.
  static void Draw(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination, POINT source);
  // Copies a kOverClear picture the size of destination at destination, within the canvas's clip;
  // returns the parts it left for the drawing itself (partly clear pixels over something drawn).
  static std::vector<RECT> CopyOverClear(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination);
};
