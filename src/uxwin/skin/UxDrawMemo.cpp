#include "uxwin/skin/UxDrawMemo.h"

#include <cstring>

#include "uxwin/skin/UxCanvas.h"

namespace {

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

bool UxDrawMemoPixels::ClipParts(UxCanvas& canvas, const RECT& reach, std::vector<RECT>& parts) {
  RECT area{};
  const RECT surface{0, 0, canvas.width(), canvas.height()};
  if (!IntersectRect(&area, &reach, &surface) || !canvas.ClipParts(area, parts)) return false;
  GdiFlush();  // what GDI drew is in the pixels compared and copied
  return true;
}

std::vector<uint32_t> UxDrawMemoPixels::Copy(const UxCanvas& canvas, const RECT& rect) {
  GdiFlush();
  const LONG width = rect.right - rect.left;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(rect.bottom - rect.top));
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(pixels.data() + (y - rect.top) * width, canvas.bits() + y * canvas.width() + rect.left,
                static_cast<size_t>(width) * sizeof(uint32_t));
  }
  return pixels;
}

bool UxDrawMemoPixels::Restore(UxCanvas& canvas, const RECT& area, const std::vector<uint32_t>& before,
                               const std::vector<uint32_t>& after, const std::vector<RECT>& parts) {
  for (const RECT& part : parts) {
    if (!Contains(area, part)) return false;
  }
  const LONG stride = area.right - area.left;
  const auto row = [&](const std::vector<uint32_t>& pixels, const RECT& part, LONG y) {
    return pixels.data() + (y - area.top) * stride + (part.left - area.left);
  };
  for (const RECT& part : parts) {
    const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(uint32_t);
    for (LONG y = part.top; y < part.bottom; ++y) {
      if (std::memcmp(canvas.bits() + y * canvas.width() + part.left, row(before, part, y), bytes) != 0) return false;
    }
  }
  for (const RECT& part : parts) {
    const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(uint32_t);
    for (LONG y = part.top; y < part.bottom; ++y) {
      std::memcpy(canvas.bits() + y * canvas.width() + part.left, row(after, part, y), bytes);
    }
  }
  return true;
}
