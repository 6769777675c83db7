#pragma once

#include <windows.h>

#include <string>

class UxFontPool;
class UxStyle;

namespace UxWin {
class UxLayoutParam;
}

// What a control's text needs to be measured.
struct UxMeasureRequest {
  std::wstring text;
  RECT windowRect{};
  SIZE offered{};
  bool useOffer = false;  // the caller offers a size (WM_NCCALCSIZE's wParam)
  SIZE layoutBox{};       // GDI+ measuring: the window's, or its parent's, size
  const UxStyle* style = nullptr;
  const UxWin::UxLayoutParam* layout = nullptr;
  HFONT font = nullptr;
};

// The size a text asks for, margins and the layout parameters' limits included.
class UxTextMeasurer {
 public:
  static SIZE Measure(const UxMeasureRequest& request, UxFontPool& fonts);

  // One line of text as GDI+ lays it out without a box (padding included), whole pixels.
  static SIZE MeasureLine(const std::wstring& text, HFONT font, UxFontPool& fonts);

  // A layout dimension: 0 or more as given, -2 the offer, anything else the measured value.
  static LONG Dimension(int32_t layoutValue, LONG offered, LONG measured);

 private:
  static SIZE MeasureWithGdi(const UxMeasureRequest& request);
  static SIZE MeasureWithGdiplus(const UxMeasureRequest& request, UxFontPool& fonts);
};
