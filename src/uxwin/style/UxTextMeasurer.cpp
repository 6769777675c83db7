#include "uxwin/style/UxTextMeasurer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "uxwin/layout/UxLayoutParam.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxStyle.h"

namespace {

// A memory DC with the font selected, released on scope exit.
class MeasuringDc {
 public:
  explicit MeasuringDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_ && font) previous_ = SelectObject(dc_, font);
  }
  ~MeasuringDc() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

LONG Clamp(LONG value, int32_t low, int32_t high) { return std::min<LONG>(std::max<LONG>(value, low), high); }

// GDI+ measuring costs a DC, a Graphics and a layout (about 45 us under Wine), and one layout pass
// asks for the same texts several times: answers are kept by all they depend on.
class MeasureMemo {
 public:
  static constexpr size_t kMaxEntries = 256;

  // The pool decides which GDI+ font a GDI font gets.
  static std::wstring Key(const std::wstring& text, HFONT font, const UxFontPool& fonts, LONG width, LONG height) {
    LOGFONTW logFont{};
    if (!font || !GetObjectW(font, sizeof(logFont), &logFont)) logFont = LOGFONTW{};
    std::wstring key(reinterpret_cast<const wchar_t*>(&logFont), sizeof(logFont) / sizeof(wchar_t));
    const struct {
      const UxFontPool* pool;
      LONG width, height;
    } rest{&fonts, width, height};
    key.append(reinterpret_cast<const wchar_t*>(&rest), sizeof(rest) / sizeof(wchar_t));
    return key.append(text);
  }

  template <typename Measure>
  SIZE Get(const std::wstring& key, const Measure& measure) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      const auto found = sizes_.find(key);
      if (found != sizes_.end()) return found->second;
    }
    const SIZE size = measure();
    if (size.cx == 0 && size.cy == 0) return size;  // nothing measured: asked again next time
    std::lock_guard<std::mutex> guard(lock_);
    if (sizes_.size() >= kMaxEntries) sizes_.clear();
    sizes_.emplace(key, size);
    return size;
  }

  static MeasureMemo& Instance() {
    static MeasureMemo memo;
    return memo;
  }

 private:
  std::mutex lock_;
  std::unordered_map<std::wstring, SIZE> sizes_;
};

// Boxes no layout offers, marking a single line measured without a box.
constexpr LONG kLineBox = -1;

}  // namespace

LONG UxTextMeasurer::Dimension(int32_t layoutValue, LONG offered, LONG measured) {
  if (layoutValue >= 0) return layoutValue;
  return layoutValue == -2 ? offered : measured;
}

SIZE UxTextMeasurer::Measure(const UxMeasureRequest& request, UxFontPool& fonts) {
  const UxStyle& style = *request.style;
  const UxWin::UxLayoutParam& layout = *request.layout;
  SIZE text{0, 0};
  if (!request.text.empty()) text = style.gdiplusCalcText ? MeasureWithGdiplus(request, fonts) : MeasureWithGdi(request);
  SIZE size{text.cx + 2 * style.xMargin, text.cy + 2 * style.yMargin};
  size.cx = Dimension(layout.width, request.offered.cx, size.cx);
  size.cy = Dimension(layout.height, request.offered.cy, size.cy);
  size.cx = Clamp(size.cx, layout.minWidth, layout.maxWidth);
  size.cy = Clamp(size.cy, layout.minHeight, layout.maxHeight);
  return size;
}

SIZE UxTextMeasurer::MeasureWithGdi(const UxMeasureRequest& request) {
  const UxStyle& style = *request.style;
  const UxWin::UxLayoutParam& layout = *request.layout;
  RECT rect = request.windowRect;
  InflateRect(&rect, -style.xMargin, -style.yMargin);
  if (request.useOffer) {
    rect.right = rect.left + request.offered.cx;
    rect.bottom = rect.top + request.offered.cy;
  }
  const UINT flags = (style.textMode & ~0xFu) | DT_CALCRECT;
  if (style.textMode & DT_WORDBREAK) rect.bottom = 32767;  // wrapped text may grow
  rect.right = rect.left + Dimension(layout.width, request.offered.cx, rect.right - rect.left);
  rect.bottom = rect.top + Dimension(layout.height, request.offered.cy, rect.bottom - rect.top);
  rect.right = rect.left + Clamp(rect.right - rect.left, layout.minWidth, layout.maxWidth);
  rect.bottom = rect.top + Clamp(rect.bottom - rect.top, layout.minHeight, layout.maxHeight);
  MeasuringDc dc(request.font);
  if (!dc.get()) return SIZE{0, 0};
  DrawTextW(dc.get(), request.text.c_str(), static_cast<int>(request.text.size()), &rect, flags);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE UxTextMeasurer::MeasureWithGdiplus(const UxMeasureRequest& request, UxFontPool& fonts) {
  const UxWin::UxLayoutParam& layout = *request.layout;
  LONG width = Dimension(layout.width, request.offered.cx, request.layoutBox.cx);
  LONG height = Dimension(layout.height, request.offered.cy, request.layoutBox.cy);
  width = std::max<LONG>(Clamp(width, layout.minWidth, layout.maxWidth), 0);
  height = std::max<LONG>(Clamp(height, layout.minHeight, layout.maxHeight), 0);
  const std::wstring key = MeasureMemo::Key(request.text, request.font, fonts, width, height);
  return MeasureMemo::Instance().Get(key, [&] {
    MeasuringDc dc(request.font);
    if (!dc.get() || !UxGdiplus::Start()) return SIZE{0, 0};
    Gdiplus::Font* font = fonts.GdiplusFont(dc.get(), request.font);
    if (!font) return SIZE{0, 0};
    Gdiplus::Graphics graphics(dc.get());
    Gdiplus::StringFormat format;  // near aligned
    Gdiplus::RectF bounds;
    const Gdiplus::RectF box(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
    graphics.MeasureString(request.text.c_str(), static_cast<INT>(request.text.size()), font, box, &format, &bounds);
    return SIZE{static_cast<LONG>(std::ceil(bounds.Width)), static_cast<LONG>(std::ceil(bounds.Height))};
  });
}

SIZE UxTextMeasurer::MeasureLine(const std::wstring& text, HFONT font, UxFontPool& fonts) {
  if (text.empty()) return SIZE{0, 0};
  return MeasureMemo::Instance().Get(MeasureMemo::Key(text, font, fonts, kLineBox, kLineBox), [&] {
    MeasuringDc dc(font);
    if (!dc.get() || !UxGdiplus::Start()) return SIZE{0, 0};
    Gdiplus::Font* gdiplusFont = fonts.GdiplusFont(dc.get(), font);
    if (!gdiplusFont) return SIZE{0, 0};
    Gdiplus::Graphics graphics(dc.get());
    Gdiplus::StringFormat format;
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    Gdiplus::RectF bounds;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), gdiplusFont, Gdiplus::PointF(0, 0), &format,
                           &bounds);
    return SIZE{static_cast<LONG>(std::ceil(bounds.Width)), static_cast<LONG>(std::ceil(bounds.Height))};
  });
}
