#include "uxwin/object/CUxDialog.h"

#include "uxwin/layout/UxSaturate.h"
#include "uxwin/style/UxStyle.h"

using UxWin::SaturateToInt32;

LONG CUxDialog::Resolve(const UxWin::UxPosition::Item& item, LONG start, LONG end) {
  const int64_t value = item.value;
  if (item.fromCentre) return SaturateToInt32(start + (int64_t{end} - start) / 2 + (item.fromEnd ? -value : value));
  return SaturateToInt32(item.fromEnd ? end - value : start + value);
}

void CUxDialog::RepositionChild(CUxWindow* child) {
  if (!child) return;
  RECT inner = rect();
  const UxStyle& style = GetStyle();
  InflateRect(&inner, -style.xMargin, -style.yMargin);
  const UxWin::UxPosition& position = child->position();
  RECT placed = inner;
  if (position.count >= 2) {
    placed.left = Resolve(position.items[0], inner.left, inner.right);
    placed.top = Resolve(position.items[1], inner.top, inner.bottom);
    const RECT current = child->rect();
    placed.right = SaturateToInt32(int64_t{placed.left} + (int64_t{current.right} - current.left));
    placed.bottom = SaturateToInt32(int64_t{placed.top} + (int64_t{current.bottom} - current.top));
  }
  if (position.count == 4) {
    placed.right = Resolve(position.items[2], inner.left, inner.right);
    placed.bottom = Resolve(position.items[3], inner.top, inner.bottom);
  }
  WINDOWPOS windowPos{};
  windowPos.x = placed.left;
  windowPos.y = placed.top;
  windowPos.cx = SaturateToInt32(int64_t{placed.right} - placed.left);
  windowPos.cy = SaturateToInt32(int64_t{placed.bottom} - placed.top);
  LRESULT ignored = 0;
  child->ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&windowPos), ignored);
}
