#include "uxwin/control/CUxLineViewEx.h"

#include <cstring>

#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

bool CUxLineViewEx::IsClass(const char* name) const {
  return IsTag(name, "lineviewex") || CUxWindow::IsClass(name);
}

uint32_t CUxLineViewEx::ParseArgb(const char* text) {
  const size_t length = text ? std::strlen(text) : 0;
  uint32_t value = 0;
  for (size_t i = 0; i < length && i < 8; ++i) {
    const char c = text[i];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) {
      value = 0;
      break;
    }
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return length < 8 ? value | 0xFF000000u : value;
}

int32_t CUxLineViewEx::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxLineViewEx>;
  // The hover and push colours count only once given.
  const auto colour = [](uint32_t CUxLineViewEx::*field, bool CUxLineViewEx::*given) -> Table::Handler {
    return [field, given](CUxLineViewEx& line, const char* v, bool) {
      line.*field = ParseArgb(v);
      if (given) line.*given = true;
      return kOk;
    };
  };
  static const auto* const table =
      new Table{{"linecolor", colour(&CUxLineViewEx::lineColour_, nullptr)},
                {"hover_linecolor", colour(&CUxLineViewEx::hoverColour_, &CUxLineViewEx::hoverSet_)},
                {"push_linecolor", colour(&CUxLineViewEx::pushColour_, &CUxLineViewEx::pushSet_)},
                {"vertical", Table::Integer(&CUxLineViewEx::vertical_)},
                {"startcap", Table::Integer(&CUxLineViewEx::startCap_)},
                {"endcap", Table::Integer(&CUxLineViewEx::endCap_)},
                {"dashstyle", Table::Integer(&CUxLineViewEx::dashStyle_)}};
  return table->Chain<CUxWindow>(*this, name, value, loading);
}

bool CUxLineViewEx::NeedRedrawWhenStateChange() {
  return (hoverSet_ && hoverColour_ != lineColour_) || (pushSet_ && pushColour_ != lineColour_);
}

uint32_t CUxLineViewEx::CurrentColour() {
  if ((state() & kPushed) && pushSet_) return pushColour_;
  if ((state() & kHover) && hoverSet_) return hoverColour_;
  return lineColour_;
}

void CUxLineViewEx::PaintContent(UxCanvas& canvas) {
  const RECT& r = rect();
  const LONG width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0 || !canvas.IsValid()) return;
  Gdiplus::Pen pen(Gdiplus::Color(CurrentColour()), static_cast<Gdiplus::REAL>(vertical_ ? width : height));
  pen.SetStartCap(static_cast<Gdiplus::LineCap>(startCap_));
  pen.SetEndCap(static_cast<Gdiplus::LineCap>(endCap_));
  pen.SetDashStyle(static_cast<Gdiplus::DashStyle>(dashStyle_));
  // The canvas addresses pixel edges (half-pixel offset): a line from the left edge to the right
  // edge covers the pixels left to right - 1, and a pen of the control's height covers its rows.
  Gdiplus::Graphics& graphics = canvas.graphics();
  if (vertical_) {
    const Gdiplus::REAL x = static_cast<Gdiplus::REAL>(r.left) + static_cast<Gdiplus::REAL>(width) / 2;
    graphics.DrawLine(&pen, x, static_cast<Gdiplus::REAL>(r.top), x, static_cast<Gdiplus::REAL>(r.bottom));
  } else {
    const Gdiplus::REAL y = static_cast<Gdiplus::REAL>(r.top) + static_cast<Gdiplus::REAL>(height) / 2;
    graphics.DrawLine(&pen, static_cast<Gdiplus::REAL>(r.left), y, static_cast<Gdiplus::REAL>(r.right), y);
  }
}
