#include "uxwin/style/UxTextPainter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxStyle.h"
#include "uxwin/style/UxTextCache.h"

namespace {

int FontHeight(HFONT font) {
  LOGFONTW logFont{};
  return font && GetObjectW(font, sizeof(logFont), &logFont) ? logFont.lfHeight : UxFontPool::kBaseHeight;
}

using DrawShadowTextFn = int(WINAPI*)(HDC, LPCWSTR, UINT, RECT*, DWORD, COLORREF, COLORREF, int, int);

// Not in every import library: looked up where the system keeps it.
int DrawShadowTextIfAvailable(HDC dc, const std::wstring& text, RECT* rect, DWORD mode, COLORREF colour,
                              COLORREF shadow) {
  static const auto draw = [] {
    HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
    return comctl32 ? reinterpret_cast<DrawShadowTextFn>(reinterpret_cast<void*>(GetProcAddress(comctl32, "DrawShadowText")))
                    : nullptr;
  }();
  return draw ? draw(dc, text.c_str(), static_cast<UINT>(text.size()), rect, mode, colour, shadow, 2, 2) : 0;
}

void ApplyStringFormat(Gdiplus::StringFormat& format, uint32_t mode, uint32_t modeEx) {
  // A single-line text never wraps; with a line limit a wrapped second line would vanish.
  if (mode & DT_SINGLELINE) format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap);
  if (mode & DT_CENTER) format.SetAlignment(Gdiplus::StringAlignmentCenter);
  if (mode & DT_VCENTER) format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (modeEx & 0x20) format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsLineLimit);
  if (modeEx & 0x2) format.SetAlignment(Gdiplus::StringAlignmentFar);
  if (modeEx & 0x1) format.SetAlignment(Gdiplus::StringAlignmentCenter);
  if (modeEx & 0x4) format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (modeEx & 0x8) format.SetLineAlignment(Gdiplus::StringAlignmentFar);
  if (mode & DT_END_ELLIPSIS) format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  if (mode & DT_WORD_ELLIPSIS) format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
  if (mode & DT_PATH_ELLIPSIS) format.SetTrimming(Gdiplus::StringTrimmingEllipsisPath);
}

}  // namespace

int UxTextPainter::TextAlpha(const UxTextRequest& request) {
  const int alpha = request.controlAlpha >= 0 ? request.controlAlpha : (request.style ? request.style->alphaText : 254);
  return std::clamp(alpha, 0, 254);  // 255 draws as 254; a negative alpha must not wrap to opaque
}

RECT UxTextPainter::TextRect(const UxTextRequest& request, UxFontPool& fonts) {
  const UxStyle& style = *request.style;
  RECT rect = request.windowRect;
  InflateRect(&rect, -style.xMargin, -style.yMargin);
  if (!fonts.IsYaHei() || style.yhResizeDisable == 1) return rect;
  const int base = UxWin::UxDpiContext::Instance().Scale(UxFontPool::kBaseHeight, request.dpiAware);
  const int d = base - FontHeight(request.font);
  const int baseMagnitude = std::abs(base);
  if (style.textMode & DT_BOTTOM) {
    OffsetRect(&rect, 0, -(2 * d + 2));
    if (request.autoFixTextRect) {
      rect.bottom = std::max<LONG>(rect.bottom, rect.top + 3 * d + baseMagnitude + 4);
      rect.bottom = std::max<LONG>(rect.bottom, rect.top + baseMagnitude + 3 + d);
    }
  } else if (!(style.textMode & DT_VCENTER)) {
    OffsetRect(&rect, 0, -(3 * d + 3));
  }
  return rect;
}

void UxTextPainter::Draw(UxCanvas& canvas, const UxTextRequest& request, UxFontPool& fonts) {
  if (request.text.empty() || !request.style || !canvas.IsValid()) return;
  const RECT rect = TextRect(request, fonts);
  if (request.style->gdiplus) {
    DrawWithGdiplus(canvas, request, rect, fonts);
  } else {
    DrawWithGdi(canvas, request, rect);
  }
}

void UxTextPainter::DrawWithGdi(UxCanvas& canvas, const UxTextRequest& request, const RECT& rect) {
  // GDI clears the alpha of what it touches; remember the area to make touched pixels opaque.
  const RECT area{std::max<LONG>(0, rect.left), std::max<LONG>(0, rect.top), std::min<LONG>(canvas.width(), rect.right),
                  std::min<LONG>(canvas.height(), rect.bottom)};
  std::vector<uint32_t> before;
  GdiFlush();  // once, not per pixel
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x) before.push_back(canvas.bits()[y * canvas.width() + x]);
  }
  HDC dc = canvas.dc();
  const HGDIOBJ oldFont = SelectObject(dc, request.font);
  const COLORREF oldColour = SetTextColor(dc, request.colour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT target = rect;
  const UINT mode = request.style->textMode;
  if (!request.style->shadow ||
      DrawShadowTextIfAvailable(dc, request.text, &target, mode, request.colour, request.style->crShadow) <= 0) {
    DrawTextW(dc, request.text.c_str(), static_cast<int>(request.text.size()), &target, mode);
  }
  GdiFlush();
  size_t index = 0;
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x, ++index) {
      uint32_t& pixel = canvas.bits()[y * canvas.width() + x];
      if (pixel != before[index]) pixel |= 0xFF000000u;
    }
  }
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
}

void UxTextPainter::DrawWithGdiplus(UxCanvas& canvas, const UxTextRequest& request, const RECT& rect,
                                    UxFontPool& fonts) {
  const COLORREF c = request.colour;
  const Gdiplus::Color colour(static_cast<BYTE>(TextAlpha(request)), GetRValue(c), GetGValue(c), GetBValue(c));
  UxTextCacheKey key{request.text, rect, {}, colour.GetValue(), request.style->textMode, request.style->textModeEx,
                     request.style->gdiTextRenderingHint};
  if (!request.font || !GetObjectW(request.font, sizeof(key.font), &key.font)) key.font = LOGFONTW{};
  canvas.text_cache().Draw(canvas, key, [&] {
    HDC dc = canvas.dc();
    const HGDIOBJ oldFont = SelectObject(dc, request.font);
    Gdiplus::Font* font = fonts.GdiplusFont(dc, request.font);
    SelectObject(dc, oldFont);
    if (!font) return;  // nothing to draw with
    Gdiplus::SolidBrush brush(colour);
    Gdiplus::StringFormat format;
    ApplyStringFormat(format, request.style->textMode, request.style->textModeEx);
    Gdiplus::Graphics& graphics = canvas.graphics();
    graphics.SetTextRenderingHint(static_cast<Gdiplus::TextRenderingHint>(request.style->gdiTextRenderingHint));
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                                static_cast<Gdiplus::REAL>(rect.right - rect.left),
                                static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
    graphics.DrawString(request.text.c_str(), static_cast<INT>(request.text.size()), font, layout, &format, &brush);
  });
}
