#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "uxwin/skin/UxDrawMemo.h"

// What decides the pixels a text draws on a canvas: the same key over the same pixels draws the
// same pixels.
struct UxTextCacheKey {
  std::wstring text;
  RECT layout{};  // the layout rectangle, in canvas pixels
  LOGFONTW font{};
  uint32_t argb = 0;  // the brush
  uint32_t mode = 0, modeEx = 0;
  int renderingHint = 0;

  bool operator==(const UxTextCacheKey& other) const;
};

// Texts drawn on one canvas, kept as the pixels under their layout rectangle before and after the
// drawing (UxDrawMemo): a count-down tick redraws a digit box, and the texts whose rectangles meet
// it, over the same background most seconds. Texts drawn over the same pixels (a digit box's sixty
// seconds) share one copy of them.
class UxTextCache {
 public:
  // Pixels kept in all, 512 KiB: the sixty seconds of a digit box and the window's other texts.
  static constexpr size_t kMaxPixels = 128 * 1024;
  static constexpr size_t kMostEntries = 256;  // each lookup walks them

  // Puts the text's pixels back where the canvas's clip lets drawing reach, or calls draw and
  // keeps what it drew when the clip let it reach the whole layout rectangle.
  void Draw(UxCanvas& canvas, const UxTextCacheKey& key, const std::function<void()>& draw);

  size_t hits() const { return memo_.hits(); }
  size_t misses() const { return memo_.misses(); }
  size_t entries() const { return memo_.entries(); }
  size_t pixels() const { return memo_.pixels(); }

 private:
  UxDrawMemo<UxTextCacheKey> memo_{kMaxPixels, kMostEntries};
};
