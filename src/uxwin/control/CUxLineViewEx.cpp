#include "uxwin/control/CUxLineViewEx.h"

#include <cstring>

#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

bool CUxLineViewEx::IsClass(const char* name) const {
  return (name && std::strcmp(name, "lineviewex") == 0) || CUxWindow::IsClass(name);
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
  const int32_t base = CUxWindow::SetAttribute(name, value, loading);
  if (base >= 0 || !name) return base;
  if (std::strcmp(name, "linecolor") == 0) {
    lineColour_ = ParseArgb(value);
  } else if (std::strcmp(name, "hover_linecolor") == 0) {
    hoverColour_ = ParseArgb(value), hoverSet_ = true;
  } else if (std::strcmp(name, "push_linecolor") == 0) {
    pushColour_ = ParseArgb(value), pushSet_ = true;
  } else if (std::strcmp(name, "vertical") == 0) {
    vertical_ = UxWin::UxAttributeParser::Integer(value);
  } else if (std::strcmp(name, "startcap") == 0) {
    startCap_ = UxWin::UxAttributeParser::Integer(value);
  } else if (std::strcmp(name, "endcap") == 0) {
    endCap_ = UxWin::UxAttributeParser::Integer(value);
  } else if (std::strcmp(name, "dashstyle") == 0) {
    dashStyle_ = UxWin::UxAttributeParser::Integer(value);
  } else {
    return kFail;
  }
  return kOk;
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
