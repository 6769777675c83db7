#include "uxwin/layout/UxLinearLayoutStrategy.h"

#include <algorithm>

#include "uxwin/layout/UxPositionLayout.h"
#include "uxwin/object/CUxContainerWnd.h"

namespace UxWin {

namespace {

// The main axis (x, or y when vertical) and the cross axis of a rectangle and of margins.
struct Axis {
  bool vertical;
  long Start(const RECT& r) const { return vertical ? r.top : r.left; }
  long End(const RECT& r) const { return vertical ? r.bottom : r.right; }
  long CrossStart(const RECT& r) const { return vertical ? r.left : r.top; }
  int32_t MarginBefore(const UxLayoutParam& p) const { return vertical ? p.marginTop : p.marginLeft; }
  int32_t MarginAfter(const UxLayoutParam& p) const { return vertical ? p.marginBottom : p.marginRight; }
  int32_t CrossMargin(const UxLayoutParam& p) const { return vertical ? p.marginLeft : p.marginTop; }
};

}  // namespace

long UxLinearLayoutStrategy::NextStart(CUxContainerWnd& owner, CUxWindow* previous, CUxWindow& child,
                                       long extent) const {
  const Axis axis{vertical != 0};
  const UxLayoutParam& mine = child.layout();
  if (!reverse) {
    if (!previous) return axis.Start(owner.rect()) + axis.MarginBefore(mine);
    return axis.End(previous->rect()) + axis.MarginAfter(previous->layout()) + space + axis.MarginBefore(mine);
  }
  const long edge = previous ? axis.Start(previous->rect()) - space - axis.MarginBefore(previous->layout())
                             : axis.End(owner.rect());
  return edge - axis.MarginAfter(mine) - extent;
}

void UxLinearLayoutStrategy::Arrange(CUxContainerWnd& owner) {
  owner.NotifyInvalidateRect(owner.rect());  // the old area, before anything moves
  const Axis axis{vertical != 0};
  const RECT& area = owner.rect();
  const SIZE whole{area.right - area.left, area.bottom - area.top};
  const long shift = AlignmentShift(owner, whole);
  const auto& children = owner.children();
  CUxWindow* previous = nullptr;
  for (size_t i = 0; i < children.size(); ++i) {
    CUxWindow& child = *children[reverse ? children.size() - 1 - i : i];
    if (child.layout().floating == 1) {
      UxPositionLayout().ArrangeChild(owner, child);
      continue;
    }
    if (!child.IsVisible(false) && !child.layout().placeHolder) continue;
    const SIZE size = child.SizeFor(whole);
    // The first child carries the alignment; the others follow it.
    const long along = NextStart(owner, previous, child, axis.vertical ? size.cy : size.cx) + (previous ? 0 : shift);
    const long across = axis.CrossStart(area) + axis.CrossMargin(child.layout());
    WINDOWPOS placement{};
    placement.x = axis.vertical ? across : along;
    placement.y = axis.vertical ? along : across;
    placement.cx = size.cx;
    placement.cy = size.cy;
    placement.flags = SWP_NOOWNERZORDER;
    LRESULT ignored = 0;
    child.ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement), ignored);
    previous = &child;
  }
}

long UxLinearLayoutStrategy::AlignmentShift(CUxContainerWnd& owner, SIZE whole) const {
  const Axis axis{vertical != 0};
  const uint32_t align = axis.vertical ? owner.vertical_align() : owner.horizontal_align();
  const bool centre = align == (axis.vertical ? 0x1000u : 0x4000u);
  const bool farEnd = align == (axis.vertical ? 0x2000u : 0x8000u);
  if (!centre && !farEnd) return 0;
  const SIZE run = RunSize(owner, whole);
  const long free = axis.vertical ? whole.cy - run.cy : whole.cx - run.cx;
  // A run longer than the layout keeps its first child in view.
  if (free <= 0) return 0;
  // A reversed run is packed against the far end already.
  if (reverse) return centre ? -(free / 2) : 0;
  return centre ? free / 2 : free;
}

SIZE UxLinearLayoutStrategy::RunSize(CUxContainerWnd& owner, SIZE offered) const {
  const Axis axis{vertical != 0};
  long along = 0, across = 0;
  int placed = 0;
  for (const auto& child : owner.children()) {
    const UxLayoutParam& layout = child->layout();
    if (layout.floating == 1 || (!child->IsVisible(false) && !layout.placeHolder)) continue;
    const SIZE size = child->SizeFor(offered);
    along += (axis.vertical ? size.cy : size.cx) + axis.MarginBefore(layout) + axis.MarginAfter(layout);
    if (placed++ > 0) along += space;
    across = std::max<long>(across, (axis.vertical ? size.cx : size.cy) + axis.CrossMargin(layout));
  }
  return axis.vertical ? SIZE{across, along} : SIZE{along, across};
}

}  // namespace UxWin
