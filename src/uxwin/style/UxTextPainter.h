#pragma once

#include <windows.h>

#include <string>

class UxCanvas;
class UxFontPool;
class UxStyle;

// One control's text and what decides how it is drawn.
struct UxTextRequest {
  std::wstring text;
  RECT windowRect{};
  const UxStyle* style = nullptr;
  HFONT font = nullptr;
  COLORREF colour = 0;
  int controlAlpha = -1;  // the control's "alphatxt"; -1: the style's
  bool dpiAware = false;
  bool autoFixTextRect = false;
};

// Draws a control's text with GDI (optionally with a shadow) or GDI+, as its style says.
class UxTextPainter {
 public:
  static void Draw(UxCanvas& canvas, const UxTextRequest& request, UxFontPool& fonts);

  // The window rect deflated by the margins, moved for large fonts of a YaHei base face.
  static RECT TextRect(const UxTextRequest& request, UxFontPool& fonts);
  // 255 is drawn as 254.
  static int TextAlpha(const UxTextRequest& request);

 private:
  static void DrawWithGdi(UxCanvas& canvas, const UxTextRequest& request, const RECT& rect);
  static void DrawWithGdiplus(UxCanvas& canvas, const UxTextRequest& request, const RECT& rect, UxFontPool& fonts);
};
