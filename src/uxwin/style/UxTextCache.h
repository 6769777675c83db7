#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class UxCanvas;

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
// drawing. A text drawn again over pixels equal to those it was drawn over gets its pixels put back
// instead of being laid out and rasterised again: a count-down tick redraws a digit box, and the
// texts whose rectangles meet it, over the same background most seconds. Texts drawn over the same
// pixels (a digit box's sixty seconds) share one copy of them.
class UxTextCache {
 public:
  // Pixels kept in all, 512 KiB: the sixty seconds of a digit box and the window's other texts.
  static constexpr size_t kMaxPixels = 128 * 1024;
  static constexpr size_t kMostEntries = 256;  // each lookup walks them

  // Puts the text's pixels back where the canvas's clip lets drawing reach, or calls draw and
  // keeps what it drew when the clip let it reach the whole layout rectangle.
  void Draw(UxCanvas& canvas, const UxTextCacheKey& key, const std::function<void()>& draw);

  size_t hits() const { return hits_; }
  size_t misses() const { return misses_; }
  size_t entries() const { return entries_.size(); }
  size_t pixels() const { return pixels_; }

 private:
  struct Entry {
    UxTextCacheKey key;
    RECT area{};  // the layout rectangle within the canvas
    std::shared_ptr<const std::vector<uint32_t>> before;
    std::vector<uint32_t> after;
  };

  bool Restore(UxCanvas& canvas, const Entry& entry, const std::vector<RECT>& parts) const;
  void Keep(UxTextCacheKey key, const RECT& area, std::vector<uint32_t> before, std::vector<uint32_t> after);
  // Forgets the entry, counting off its pixels (its before too when no other entry shares it).
  void Drop(std::list<Entry>::iterator entry);

  std::list<Entry> entries_;  // the most recently used first
  size_t pixels_ = 0;
  size_t hits_ = 0, misses_ = 0;
};
