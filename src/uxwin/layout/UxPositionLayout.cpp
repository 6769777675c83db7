#include "uxwin/layout/UxPositionLayout.h"

#include "uxwin/layout/UxSaturate.h"
#include "uxwin/object/CUxContainerWnd.h"
#include "uxwin/style/UxStyle.h"

RECT UxPositionLayout::InnerRect(CUxContainerWnd& owner) {
  RECT inner = owner.rect();
  const UxStyle& style = owner.GetStyle();
  InflateRect(&inner, -style.xMargin, -style.yMargin);
  return inner;
}

void UxPositionLayout::Arrange(CUxContainerWnd& owner) {
  for (const auto& child : owner.children()) ArrangeChild(owner, *child);
}

void UxPositionLayout::ArrangeChild(CUxContainerWnd& owner, CUxWindow& child) {
  const RECT inner = InnerRect(owner);
  const UxWin::UxPosition& position = child.position();
  WINDOWPOS placement{};
  placement.x = position.count >= 2 ? UxWin::UxPosition::Resolve(position.items[0], inner.left, inner.right) : inner.left;
  placement.y = position.count >= 2 ? UxWin::UxPosition::Resolve(position.items[1], inner.top, inner.bottom) : inner.top;
  placement.cx = UxWin::SaturateToInt32(int64_t{inner.right} - inner.left);
  placement.cy = UxWin::SaturateToInt32(int64_t{inner.bottom} - inner.top);
  LRESULT ignored = 0;
  child.ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement), ignored);
}
