#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <list>
#include <memory>
#include <vector>

class UxCanvas;

// The pixels of a canvas rectangle before and after a drawing, and the rules for putting them back.
class UxDrawMemoPixels {
 public:
  // The parts of reach, within the canvas, that its clip lets drawing reach; false when unknown.
  static bool ClipParts(UxCanvas& canvas, const RECT& reach, std::vector<RECT>& parts);
  static std::vector<uint32_t> Copy(const UxCanvas& canvas, const RECT& rect);
  // Puts after back within parts when every part lies in area and the canvas holds before there.
  static bool Restore(UxCanvas& canvas, const RECT& area, const std::vector<uint32_t>& before,
                      const std::vector<uint32_t>& after, const std::vector<RECT>& parts);
};

// Drawings kept as the pixels under their rectangle before and after: the same key drawn over the
// same pixels draws the same pixels, so a drawing met again over pixels equal to those it was drawn
// over gets its pixels put back instead of being drawn. Drawings over the same pixels share one copy
// of them. Key: what decides the drawing's pixels, with operator==.
template <class Key>
class UxDrawMemo {
 public:
  UxDrawMemo(size_t maxPixels, size_t mostEntries) : maxPixels_(maxPixels), mostEntries_(mostEntries) {}

  // Puts the drawing's pixels back where the canvas's clip lets drawing reach within reach (the
  // rectangle the drawing may change, within the canvas), or calls draw and keeps what it drew when
  // the clip let it reach the whole of reach.
  void Draw(UxCanvas& canvas, const Key& key, const RECT& reach, const std::function<void()>& draw);

  size_t hits() const { return hits_; }
  size_t misses() const { return misses_; }
  size_t entries() const { return entries_.size(); }
  size_t pixels() const { return pixels_; }
  void Clear() {
    entries_.clear();
    pixels_ = 0;
  }
  // Forgets the entries whose key says so.
  template <class Predicate>
  void DropIf(Predicate drop) {
    for (auto entry = entries_.begin(); entry != entries_.end();) {
      entry = drop(entry->key) ? Erase(entry) : std::next(entry);
    }
  }

 private:
  struct Entry {
    Key key;
    RECT area{};
    std::shared_ptr<const std::vector<uint32_t>> before;
    std::vector<uint32_t> after;
  };

  void Keep(const Key& key, const RECT& area, std::vector<uint32_t> before, std::vector<uint32_t> after);
  // Forgets the entry, counting off its pixels (its before too when no other entry shares it).
  typename std::list<Entry>::iterator Erase(typename std::list<Entry>::iterator entry) {
    pixels_ -= entry->after.size();
    if (entry->before.use_count() == 1) pixels_ -= entry->before->size();
    return entries_.erase(entry);
  }

  const size_t maxPixels_, mostEntries_;
  std::list<Entry> entries_;  // the most recently used first
  size_t pixels_ = 0;
  size_t hits_ = 0, misses_ = 0;
};

template <class Key>
void UxDrawMemo<Key>::Draw(UxCanvas& canvas, const Key& key, const RECT& reach, const std::function<void()>& draw) {
  std::vector<RECT> parts;
  if (!UxDrawMemoPixels::ClipParts(canvas, reach, parts)) {
    draw();
    return;
  }
  if (parts.empty()) return;  // the clip keeps the drawing out of its rectangle: nothing would change
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&key](const Entry& e) { return e.key == key; });
  if (found != entries_.end() && UxDrawMemoPixels::Restore(canvas, found->area, *found->before, found->after, parts)) {
    entries_.splice(entries_.begin(), entries_, found);
    ++hits_;
    return;
  }
  ++misses_;
  // Kept only when the drawing reached one whole rectangle: then before and after cover it.
  const bool keep = parts.size() == 1;
  std::vector<uint32_t> before = keep ? UxDrawMemoPixels::Copy(canvas, parts[0]) : std::vector<uint32_t>{};
  draw();
  if (keep) Keep(key, parts[0], std::move(before), UxDrawMemoPixels::Copy(canvas, parts[0]));
}

template <class Key>
void UxDrawMemo<Key>::Keep(const Key& key, const RECT& area, std::vector<uint32_t> before,
                           std::vector<uint32_t> after) {
  const auto same = std::find_if(entries_.begin(), entries_.end(), [&key](const Entry& e) { return e.key == key; });
  if (same != entries_.end()) Erase(same);
  if (after.size() * 2 > maxPixels_) return;  // a drawing larger than the memo is drawn every time
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
  entries_.push_front(Entry{key, area, std::move(shared), std::move(after)});
  while ((pixels_ > maxPixels_ || entries_.size() > mostEntries_) && entries_.size() > 1) {
    Erase(std::prev(entries_.end()));
  }
}
