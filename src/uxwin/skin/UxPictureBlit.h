#pragma once

#include <windows.h>

#include <functional>

namespace Gdiplus {
class Bitmap;
}

class UxCanvas;

// Draws a picture unscaled (source over) on a canvas as GDI+ does, without GDI+ where it can: an
// opaque source pixel replaces the canvas's and a transparent one leaves it, so only tiles that mix
// in partly transparent pixels go through GDI+. A 520x360 opaque background is a copy.
class UxPictureBlit {
 public:
  // GDI+'s own unscaled drawing of the part of the picture that lands on a part of destination.
  using GdiplusDraw = std::function<void(const RECT& part)>;

  static constexpr int kTile = 16;

  // kPicture: the picture's own pixels, drawn unscaled. kOverClear: a premultiplied picture that
  // holds what a drawing leaves on a clear canvas (UxScaledPictures): a partly clear pixel of it is
  // copied where the canvas is clear, and gdiplusDraw (that drawing, narrowed) does the rest.
  enum class Kind { kPicture, kOverClear };

  // Draws the picture's rectangle at source, destination's size, at destination within the canvas's
  // clip.
  static void Draw(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination, POINT source,
                   const GdiplusDraw& gdiplusDraw, Kind kind = Kind::kPicture);
};
