#include "uxwin/layout/UxPosition.h"

#include <cstdlib>
#include <string>

#include "uxwin/layout/UxSaturate.h"

namespace UxWin {

UxPosition UxPosition::Parse(const char* text) {
  UxPosition position;
  if (!text) return position;
  // Pieces as getline would give them: a trailing comma ends the list without an empty piece.
  const std::string all(text);
  int count = 0;
  for (size_t from = 0; count < 4 && from < all.size();) {
    size_t comma = all.find(',', from);
    if (comma == std::string::npos) comma = all.size();
    const std::string piece = all.substr(from, comma - from);
    from = comma + 1;
    Item& item = position.items[count];
    size_t at = 0;
    if (at < piece.size() && piece[at] == '|') item.fromCentre = true, ++at;
    if (at < piece.size() && piece[at] == '-') item.fromEnd = true, ++at;
    const bool width = at < piece.size() && piece[at] == 'w';
    if (width) ++at;
    const bool height = at < piece.size() && piece[at] == 'h';
    if (height) ++at;
    item.value = static_cast<int32_t>(std::strtol(piece.c_str() + at, nullptr, 10));
    // A width or height counts from the left or top item.
    if (count == 2 && width) item.value = SaturateToInt32(int64_t{item.value} + position.items[0].value);
    if (count == 3 && height) item.value = SaturateToInt32(int64_t{item.value} + position.items[1].value);
    ++count;
  }
  position.count = count == 2 || count == 4 ? count : 0;
  return position;
}

int32_t UxPosition::Resolve(const Item& item, int32_t start, int32_t end) {
  const int64_t value = item.value;
  if (item.fromCentre) {
    return SaturateToInt32(start + (int64_t{end} - start) / 2 + (item.fromEnd ? -value : value));
  }
  return SaturateToInt32(item.fromEnd ? end - value : start + value);
}

}  // namespace UxWin
