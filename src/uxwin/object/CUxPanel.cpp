#include "uxwin/object/CUxPanel.h"

#include "uxwin/base/UxAttributeTable.h"

bool CUxPanel::IsClass(const char* name) const {
  return IsTag(name, "div") || CUxContainerWnd::IsClass(name);
}

int32_t CUxPanel::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxPanel>;
  static const auto* const table = new Table{{"onlydrawchild", Table::Integer(&CUxPanel::onlyDrawChild_)}};
  return table->Chain<CUxContainerWnd>(*this, name, value, loading);
}

HUXWND CUxPanel::HitTest(int x, int y, bool visibleOnly) {
  const POINT point{x, y};
  if (!PtInRect(&rect(), point)) return 0;
  if (onlyDrawChild_) return handle();
  for (const bool floating : {true, false}) {
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
      CUxWindow& window = **child;
      if (((window.size_mode() & kFloating) != 0) != floating) continue;
      if (!window.IsVisible(false) || window.mouse_transparent()) continue;
      if (const HUXWND hit = window.HitTest(x, y, visibleOnly)) return hit;
    }
  }
  return handle();
}
