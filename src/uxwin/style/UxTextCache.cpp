#include "uxwin/style/UxTextCache.h"

#include <cstring>

namespace {

// GDI+ clips a text to its layout rectangle; a pixel of margin keeps the cache exact should a
// rasteriser round the clip's edges outwards.
constexpr int kBleed = 1;

}  // namespace

bool UxTextCacheKey::operator==(const UxTextCacheKey& other) const {
  return EqualRect(&layout, &other.layout) && argb == other.argb && mode == other.mode && modeEx == other.modeEx &&
         renderingHint == other.renderingHint && text == other.text &&
         std::memcmp(&font, &other.font, sizeof(font)) == 0;
}

void UxTextCache::Draw(UxCanvas& canvas, const UxTextCacheKey& key, const std::function<void()>& draw) {
  // An empty layout rectangle does not clip the text (GDI+ draws it unbounded): never kept.
  if (IsRectEmpty(&key.layout)) {
    draw();
    return;
  }
  RECT reach = key.layout;
  InflateRect(&reach, kBleed, kBleed);
  memo_.Draw(canvas, key, reach, draw);
}
