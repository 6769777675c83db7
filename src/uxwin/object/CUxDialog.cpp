#include "uxwin/object/CUxDialog.h"

#include "uxwin/style/UxStyle.h"

LONG CUxDialog::Resolve(const UxWin::UxPosition::Item& item, LONG start, LONG end) {
  if (item.fromCentre) return start + (end - start) / 2 + (item.fromEnd ? -item.value : item.value);
  return item.fromEnd ? end - item.value : start + item.value;
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
    placed.right = placed.left + (current.right - current.left);
    placed.bottom = placed.top + (current.bottom - current.top);
  }
  if (position.count == 4) {
    placed.right = Resolve(position.items[2], inner.left, inner.right);
    placed.bottom = Resolve(position.items[3], inner.top, inner.bottom);
  }
  WINDOWPOS windowPos{};
  windowPos.x = placed.left;
  windowPos.y = placed.top;
  windowPos.cx = placed.right - placed.left;
  windowPos.cy = placed.bottom - placed.top;
  LRESULT ignored = 0;
  child->ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&windowPos), ignored);
}
