#include "uxwin/style/UxTextCache.h"

#include <algorithm>
#include <cstring>

#include "uxwin/skin/UxCanvas.h"

namespace {

// GDI+ clips a text to its layout rectangle; a pixel of margin keeps the cache exact should a
// rasteriser round the clip's edges outwards.
constexpr int kBleed = 1;

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

LONG Area(const RECT& rect) {
  return (rect.right - rect.left) * (rect.bottom - rect.top);
}

std::vector<uint32_t> Copy(const UxCanvas& canvas, const RECT& rect) {
  std::vector<uint32_t> pixels(static_cast<size_t>(Area(rect)));
  const LONG width = rect.right - rect.left;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(pixels.data() + (y - rect.top) * width, canvas.bits() + y * canvas.width() + rect.left,
                static_cast<size_t>(width) * sizeof(uint32_t));
  }
  return pixels;
}

}  // namespace

bool UxTextCacheKey::operator==(const UxTextCacheKey& other) const {
  return EqualRect(&layout, &other.layout) && argb == other.argb && mode == other.mode && modeEx == other.modeEx &&
         renderingHint == other.renderingHint && text == other.text &&
         std::memcmp(&font, &other.font, sizeof(font)) == 0;
}

void UxTextCache::Draw(UxCanvas& canvas, const UxTextCacheKey& key, const std::function<void()>& draw) {
  RECT area{}, reach = key.layout;
  InflateRect(&reach, kBleed, kBleed);
  const RECT surface{0, 0, canvas.width(), canvas.height()};
  std::vector<RECT> parts;
  // An empty layout rectangle does not clip the text (GDI+ draws it unbounded): never kept.
  if (IsRectEmpty(&key.layout) || !IntersectRect(&area, &reach, &surface) || !canvas.ClipParts(area, parts)) {
    draw();
    return;
  }
  if (parts.empty()) return;  // the clip keeps the text out of its rectangle: nothing would change
  GdiFlush();
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&key](const Entry& e) { return e.key == key; });
  if (found != entries_.end() && Restore(canvas, *found, parts)) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return;
  }
  ++misses_;
  // Kept only when the drawing reached one whole rectangle: then before and after cover it.
  const bool keep = parts.size() == 1;
  std::vector<uint32_t> before = keep ? Copy(canvas, parts[0]) : std::vector<uint32_t>{};
  draw();
  if (!keep) return;
  GdiFlush();
  Keep(key, parts[0], std::move(before), Copy(canvas, parts[0]));
}

bool UxTextCache::Restore(UxCanvas& canvas, const Entry& entry, const std::vector<RECT>& parts) const {
  for (const RECT& part : parts) {
    if (!Contains(entry.area, part)) return false;
  }
  const LONG stride = entry.area.right - entry.area.left;
  const auto row = [&](const std::vector<uint32_t>& pixels, const RECT& part, LONG y) {
    return pixels.data() + (y - entry.area.top) * stride + (part.left - entry.area.left);
  };
  for (const RECT& part : parts) {
    const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(uint32_t);
    for (LONG y = part.top; y < part.bottom; ++y) {
      if (std::memcmp(canvas.bits() + y * canvas.width() + part.left, row(*entry.before, part, y), bytes) != 0) {
        return false;
      }
    }
  }
  for (const RECT& part : parts) {
    const size_t bytes = static_cast<size_t>(part.right - part.left) * sizeof(uint32_t);
    for (LONG y = part.top; y < part.bottom; ++y) {
      std::memcpy(canvas.bits() + y * canvas.width() + part.left, row(entry.after, part, y), bytes);
    }
  }
  return true;
}

void UxTextCache::Keep(UxTextCacheKey key, const RECT& area, std::vector<uint32_t> before,
                       std::vector<uint32_t> after) {
  const auto same = std::find_if(entries_.begin(), entries_.end(), [&key](const Entry& e) { return e.key == key; });
  if (same != entries_.end()) Drop(same);
  if (after.size() * 2 > kMaxPixels) return;  // a text larger than the cache is drawn every time
  std::shared_ptr<const std::vector<uint32_t>> shared;
  for (const Entry& entry : entries_) {
    if (EqualRect(&entry.area, &area) && *entry.before == before) {
      shared = entry.before;
      break;
    }
  }
  if (!shared) {
    pixels_ += before.size();
    shared = std::make_shared<const std::vector<uint32_t>>(std::move(before));
  }
  pixels_ += after.size();
  entries_.push_front(Entry{std::move(key), area, std::move(shared), std::move(after)});
  while ((pixels_ > kMaxPixels || entries_.size() > kMostEntries) && entries_.size() > 1) {
    Drop(std::prev(entries_.end()));
  }
}

void UxTextCache::Drop(std::list<Entry>::iterator entry) {
  pixels_ -= entry->after.size();
  if (entry->before.use_count() == 1) pixels_ -= entry->before->size();
  entries_.erase(entry);
}
