#include "uxwin/object/CUxPanel.h"

#include <cstring>

#include "uxwin/object/UxAttributeParser.h"

bool CUxPanel::IsClass(const char* name) const {
  return (name && std::strcmp(name, "div") == 0) || CUxContainerWnd::IsClass(name);
}

int32_t CUxPanel::SetAttribute(const char* name, const char* value, bool loading) {
  const int32_t base = CUxContainerWnd::SetAttribute(name, value, loading);
  if (base >= 0) return base;
  if (name && std::strcmp(name, "onlydrawchild") == 0) {
    onlyDrawChild_ = UxWin::UxAttributeParser::Integer(value);
    return kOk;
  }
  return kFail;
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
