#include "uxwin/skin/UxPictureBlit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace {

// Binary: opaque and transparent pixels only, copied pixel by pixel; mixed: some pixel partly
// transparent, left to GDI+.
enum class Tile { kTransparent, kOpaque, kBinary, kMixed };

// The locked source pixels and where destination's pixel (x, y) finds its own.
struct Source {
  const BYTE* scan0;
  INT stride;
  RECT destination;
  const uint32_t* At(LONG x, LONG y) const {
    return reinterpret_cast<const uint32_t*>(scan0 + (y - destination.top) * stride) + (x - destination.left);
  }
};

Tile Classify(const Source& source, const RECT& tile) {
  bool opaque = false, transparent = false;
  for (LONG y = tile.top; y < tile.bottom; ++y) {
    const uint32_t* pixel = source.At(tile.left, y);
    for (LONG x = tile.left; x < tile.right; ++x, ++pixel) {
      const uint32_t alpha = *pixel >> 24;
      if (alpha == 0xFF) {
        opaque = true;
      } else if (alpha == 0) {
        transparent = true;
      } else {
        return Tile::kMixed;
      }
    }
  }
  if (opaque) return transparent ? Tile::kBinary : Tile::kOpaque;
  return Tile::kTransparent;
}

void CopyTile(UxCanvas& canvas, const Source& source, const RECT& tile, Tile kind) {
  for (LONG y = tile.top; y < tile.bottom; ++y) {
    uint32_t* target = canvas.bits() + y * canvas.width() + tile.left;
    const uint32_t* pixel = source.At(tile.left, y);
    if (kind == Tile::kOpaque) {
      std::memcpy(target, pixel, static_cast<size_t>(tile.right - tile.left) * sizeof(uint32_t));
      continue;
    }
    for (LONG x = tile.left; x < tile.right; ++x, ++target, ++pixel) {
      if (*pixel >> 24) *target = *pixel;  // opaque, so premultiplied as it is
    }
  }
}

// A mixed tile of a kOverClear picture where every partly clear pixel lands on a clear canvas
// pixel: copied whole (a clear source pixel leaves the canvas as it is).
bool CopyOverClear(UxCanvas& canvas, const Source& source, const RECT& tile) {
  for (LONG y = tile.top; y < tile.bottom; ++y) {
    const uint32_t* target = canvas.bits() + y * canvas.width() + tile.left;
    const uint32_t* pixel = source.At(tile.left, y);
    for (LONG x = tile.left; x < tile.right; ++x, ++target, ++pixel) {
      const uint32_t alpha = *pixel >> 24;
      if (alpha != 0 && alpha != 0xFF && *target != 0) return false;
    }
  }
  for (LONG y = tile.top; y < tile.bottom; ++y) {
    uint32_t* target = canvas.bits() + y * canvas.width() + tile.left;
    const uint32_t* pixel = source.At(tile.left, y);
    for (LONG x = tile.left; x < tile.right; ++x, ++target, ++pixel) {
      if (*pixel >> 24) *target = *pixel;
    }
  }
  return true;
}

// Copies what can be copied from one clip part; the runs of tiles GDI+ must draw go to mixed.
void DrawPart(UxCanvas& canvas, const Source& source, const RECT& part, UxPictureBlit::Kind picture,
              std::vector<RECT>& mixed) {
  const LONG tile = UxPictureBlit::kTile;
  for (LONG top = part.top; top < part.bottom; top += tile) {
    const LONG bottom = std::min(top + tile, part.bottom);
    LONG runStart = -1;
    for (LONG left = part.left; left < part.right; left += tile) {
      const RECT cell{left, top, std::min(left + tile, part.right), bottom};
      const Tile kind = Classify(source, cell);
      if (kind == Tile::kMixed && !(picture == UxPictureBlit::Kind::kOverClear && CopyOverClear(canvas, source, cell))) {
        if (runStart < 0) runStart = left;
        continue;
      }
      if (runStart >= 0) mixed.push_back(RECT{runStart, top, left, bottom});
      runStart = -1;
      if (kind != Tile::kTransparent && kind != Tile::kMixed) CopyTile(canvas, source, cell, kind);
    }
    if (runStart >= 0) mixed.push_back(RECT{runStart, top, part.right, bottom});
  }
}

// Copies what can be copied; false when nothing could be read (the caller draws all of it).
bool CopyParts(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination, POINT source,
               UxPictureBlit::Kind kind, std::vector<RECT>& mixed) {
  const LONG width = destination.right - destination.left, height = destination.bottom - destination.top;
  const RECT surface{0, 0, canvas.width(), canvas.height()};
  RECT visible{};
  std::vector<RECT> parts;
  if (width <= 0 || height <= 0 || !IntersectRect(&visible, &destination, &surface)) return true;
  const bool inside = source.x >= 0 && source.y >= 0 && source.x + width <= static_cast<LONG>(picture.GetWidth()) &&
                      source.y + height <= static_cast<LONG>(picture.GetHeight());
  if (!inside || !canvas.ClipParts(visible, parts)) return false;
  if (parts.empty()) return true;
  Gdiplus::Rect locked(source.x, source.y, width, height);
  Gdiplus::BitmapData data{};
  // Opaque pixels read the same either way; a kOverClear picture's partly clear ones are copied as kept.
  const Gdiplus::PixelFormat format =
      kind == UxPictureBlit::Kind::kOverClear ? PixelFormat32bppPARGB : PixelFormat32bppARGB;
  if (picture.LockBits(&locked, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok) return false;
  GdiFlush();
  const Source pixels{static_cast<const BYTE*>(data.Scan0), data.Stride, destination};
  for (const RECT& part : parts) DrawPart(canvas, pixels, part, kind, mixed);
  picture.UnlockBits(&data);  // GDI+ cannot draw a locked picture
  return true;
}

}  // namespace

void UxPictureBlit::Draw(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination, POINT source) {
  std::vector<RECT> mixed;
  if (!CopyParts(canvas, picture, destination, source, Kind::kPicture, mixed)) mixed.assign(1, destination);
  Gdiplus::Graphics& graphics = canvas.graphics();
  for (const RECT& part : mixed) {
    graphics.DrawImage(&picture, Gdiplus::Rect(part.left, part.top, part.right - part.left, part.bottom - part.top),
                       source.x + (part.left - destination.left), source.y + (part.top - destination.top),
                       part.right - part.left, part.bottom - part.top, Gdiplus::UnitPixel);
  }
}

std::vector<RECT> UxPictureBlit::CopyOverClear(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& destination) {
  std::vector<RECT> rest;
  if (!CopyParts(canvas, picture, destination, POINT{0, 0}, Kind::kOverClear, rest)) rest.assign(1, destination);
  return rest;
}
