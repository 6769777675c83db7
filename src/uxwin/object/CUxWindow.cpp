#include "uxwin/object/CUxWindow.h"

#include <algorithm>

#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/layout/UxSaturate.h"
#include "uxwin/object/IUxChildHost.h"
#include "uxwin/object/IUxPaintHook.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxStyleRegistry.h"
#include "uxwin/style/UxTextMeasurer.h"
#include "uxwin/style/UxTextPainter.h"

CUxWindow::CUxWindow() : handle_(UxWindowMap::Instance().Register(this)) {}

CUxWindow::~CUxWindow() { UxWindowMap::Instance().Unregister(handle_); }

bool CUxWindow::IsClass(const char* name) const {
  return IsTag(name, "wnd") || CUxObject::IsClass(name);
}

CUxWindow* CUxWindow::GetParent() { return parent_ ? UxWindowMap::Instance().Resolve(parent_) : nullptr; }

UxStyle& CUxWindow::GetStyle() { return UxStyleRegistry::Instance().GetStyle(className_); }

void CUxWindow::SetCursor() { ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(GetStyle().cursor))); }

bool CUxWindow::IsVisible(bool deep) {
  if (state_ & kInvisible) return false;
  if (!deep) return true;
  CUxWindow* parent = GetParent();
  return !parent || parent->IsVisible(true);
}

bool CUxWindow::IsDisabled(bool deep) {
  if (state_ & kDisabled) return true;
  CUxWindow* parent = deep ? GetParent() : nullptr;
  return parent && parent->IsDisabled(true);
}

void CUxWindow::SetVisible(bool visible) {
  if (IsVisible(false) == visible) return;
  ModifyState(visible ? 0u : uint32_t{kInvisible}, visible ? uint32_t{kInvisible} : 0u);
  if (auto* host = dynamic_cast<IUxChildHost*>(GetParent())) host->OnChildVisibilityChanged(visible);
}

void CUxWindow::RequestRelayout() {
  if (auto* host = dynamic_cast<IUxChildHost*>(GetParent())) host->RepositionChild(this);
}

int CUxWindow::ScaleByDpi(int value) { return UxWin::UxDpiContext::Instance().Scale(value, dpi_aware()); }

int CUxWindow::UnscaleByDpi(int value) { return UxWin::UxDpiContext::Instance().Unscale(value, dpi_aware()); }

uint16_t CUxWindow::ResolveFontCode() {
  const UxStyle& style = GetStyle();
  if ((state_ & kPushed) && style.pushFont) return style.pushFont;
  if ((state_ & kHover) && style.hoverFont) return style.hoverFont;
  if (fontCode_) return fontCode_;
  if (style.font) return style.font;
  CUxWindow* parent = GetParent();
  return parent ? parent->ResolveFontCode() : 0;
}

HFONT CUxWindow::GetFont() {
  const bool scaled = dpi_aware() && UxWin::UxDpiContext::Instance().IsEnabled();
  return font_ = UxFontPool::Instance().GetFont(ResolveFontCode(), scaled);
}

COLORREF CUxWindow::ResolveTextColour() {
  const UxStyle& style = GetStyle();
  COLORREF colour = crText_ != CLR_INVALID ? crText_ : style.crText;
  if (IsDisabled(true) && style.crDisabled != CLR_INVALID) return style.crDisabled;
  if ((state_ & kPushed) && style.crPush != CLR_INVALID) return style.crPush;
  if ((state_ & kHover) && style.crHover != CLR_INVALID) return style.crHover;
  if (colour != CLR_INVALID) return colour;
  // No colour of its own: the container's, as the drawing state hands it down.
  CUxWindow* parent = GetParent();
  return parent ? parent->ResolveTextColour() : RGB(0, 0, 0);
}

HUXWND CUxWindow::HitTest(int x, int y, bool visibleOnly) {
  if (visibleOnly && !IsVisible(false)) return 0;
  const POINT point{x, y};
  return PtInRect(&rect_, point) ? handle_ : 0;
}

void CUxWindow::NotifyInvalidateRect(const RECT& rect) {
  if (!IsVisible(true) || !container_ || !IsWindow(container_)) return;
  InvalidateNotify notify{{nullptr, static_cast<UINT_PTR>(id_), kInvalidateCode}, handle_, rect};
  SendMessageW(container_, WM_NOTIFY, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&notify));
}

void CUxWindow::ReportMouse(UINT code) {
  if (!container_ || !IsWindow(container_)) return;
  MouseNotify notify{{nullptr, static_cast<UINT_PTR>(id_), code}, handle_, L"wnd"};
  SendMessageW(container_, WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID(container_)), reinterpret_cast<LPARAM>(&notify));
}

void CUxWindow::DrawBackground(UxCanvas& canvas) {
  const UxStyle& style = GetStyle();
  if (border_ && rect_.right > rect_.left && rect_.bottom > rect_.top) {
    // GDI would leave the outline's alpha at 0 on the premultiplied canvas.
    Gdiplus::Pen pen(Gdiplus::Color(255, 0, 0, 0), 1.0f);
    canvas.graphics().DrawRectangle(&pen, static_cast<INT>(rect_.left), static_cast<INT>(rect_.top),
                                    static_cast<INT>(rect_.right - rect_.left - 1),
                                    static_cast<INT>(rect_.bottom - rect_.top - 1));
  }
  if (!style.skin.empty()) {
    CUxSkinBase* skin = UxSkinPool::Instance().GetSkin(style.skin);
    if (!skin || !skin->LoadImage()) return;
    int state = static_cast<int>(state_);
    if (correctDrawBackground_) state = IsDisabled(false) ? 3 : (state_ & kPushed) ? 2 : (state_ & kHover) ? 1 : 0;
    skin->Draw(canvas, rect_, state, dpi_aware() && UxWin::UxDpiContext::Instance().IsEnabled(), 255);
    return;
  }
  COLORREF colour = crBg_ != CLR_INVALID ? crBg_ : style.crBg;
  if ((state_ & kHover) && style.crBgHover != CLR_INVALID) colour = style.crBgHover;
  if (colour == CLR_INVALID) return;
  const BYTE alpha = static_cast<BYTE>(style.bgGdiplus ? std::clamp(style.alphaBg, 0, 255) : 255);
  Gdiplus::SolidBrush brush(Gdiplus::Color(alpha, GetRValue(colour), GetGValue(colour), GetBValue(colour)));
  canvas.graphics().FillRectangle(&brush, static_cast<INT>(rect_.left), static_cast<INT>(rect_.top),
                                  static_cast<INT>(rect_.right - rect_.left), static_cast<INT>(rect_.bottom - rect_.top));
}

void CUxWindow::RedrawRegion(UxCanvas& canvas, HRGN region) { PaintSelf(canvas, region); }

bool CUxWindow::PaintSelf(UxCanvas& canvas, HRGN region) {
  if (region && !RectInRegion(region, &rect_)) return false;
  DrawBackground(canvas);
  if (paintHook_ && !paintHook_->BeforePaint(*this, canvas)) return false;
  LRESULT result = 0;
  ProcessMessage(nullptr, WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0, result);
  if (paintHook_) paintHook_->AfterPaint(*this, canvas);
  return true;
}

void CUxWindow::PaintContent(UxCanvas& canvas) {
  if (text_.empty()) return;
  UxTextRequest request;
  request.text = text_;
  request.windowRect = rect_;
  request.style = &GetStyle();
  request.font = GetFont();
  request.colour = ResolveTextColour();
  request.controlAlpha = alphaText_;
  request.dpiAware = dpi_aware();
  request.autoFixTextRect = autoFixTextRect_ != 0;
  UxTextPainter::Draw(canvas, request, UxFontPool::Instance());
}

SIZE CUxWindow::DesiredSize(SIZE offered, bool useOffer) {
  if (position_.count == 4) {
    const LONG left = UxWin::UxPosition::Resolve(position_.items[0], 0, offered.cx);
    const LONG top = UxWin::UxPosition::Resolve(position_.items[1], 0, offered.cy);
    return SIZE{UxWin::UxPosition::Resolve(position_.items[2], 0, offered.cx) - left,
                UxWin::UxPosition::Resolve(position_.items[3], 0, offered.cy) - top};
  }
  if (layout_.width != -1 && layout_.height != -1) {
    return SIZE{layout_.width >= 0 ? layout_.width : offered.cx, layout_.height >= 0 ? layout_.height : offered.cy};
  }
  return MeasureText(offered, useOffer);
}

SIZE CUxWindow::MeasureText(SIZE offered, bool useOffer) {
  UxMeasureRequest request;
  request.text = text_;
  request.windowRect = rect_;
  request.offered = offered;
  request.useOffer = useOffer;
  CUxWindow* parent = GetParent();
  const RECT& box = parent ? parent->rect() : rect_;
  request.layoutBox = SIZE{box.right - box.left, box.bottom - box.top};
  request.style = &GetStyle();
  request.layout = &layout_;
  request.font = GetFont();
  return UxTextMeasurer::Measure(request, UxFontPool::Instance());
}

void CUxWindow::Place(const WINDOWPOS& placement) {
  const LONG x = placement.x, y = placement.y;
  if (placement.flags & SWP_NOSIZE) {
    rect_ = RECT{x, y, x + placement.cx, y + placement.cy};
    return;
  }
  OffsetRect(&rect_, x - rect_.left, y - rect_.top);
  const SIZE size = SizeFor(SIZE{placement.cx, placement.cy});
  rect_ = RECT{x, y, UxWin::SaturateToInt32(int64_t{x} + size.cx), UxWin::SaturateToInt32(int64_t{y} + size.cy)};
}

void CUxWindow::SetLayoutSize(int32_t width, int32_t height) {
  layout_.width = width;
  layout_.height = height;
  RequestRelayout();
}

SIZE CUxWindow::SizeFor(SIZE offered) {
  SIZE size = offered;
  LRESULT ignored = 0;
  ProcessMessage(nullptr, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&size), ignored);
  if (sizeMode_ & kFullWidth) size.cx = std::max<LONG>(offered.cx, 0);
  if (sizeMode_ & kFixedWidth) size.cx = fixedWidth_;
  if (sizeMode_ & kFullHeight) size.cy = std::max<LONG>(offered.cy, 0);
  if (sizeMode_ & kFixedHeight) size.cy = fixedHeight_;
  return size;
}

bool CUxWindow::ProcessMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  messageHandled_ = 0;
  switch (message) {
    case WM_NCCALCSIZE:
      if (lParam) {
        auto* size = reinterpret_cast<SIZE*>(lParam);
        *size = DesiredSize(*size, wParam != 0);
        result = 0;
        return true;
      }
      return false;
    case WM_WINDOWPOSCHANGED:
      if (!lParam) return false;
      Place(*reinterpret_cast<const WINDOWPOS*>(lParam));
      return true;
    case WM_PAINT:
      if (wParam) PaintContent(*reinterpret_cast<UxCanvas*>(wParam));
      return true;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (message == WM_MOUSEMOVE && (notify_ & 0x1)) ReportMouse(kMouseMoveCode);
      if (message == WM_MOUSELEAVE && (notify_ & 0x2)) ReportMouse(kMouseLeaveCode);
      if (mouseListener_) {
        mouseListener_->OnMouseMessage(*this, message, static_cast<short>(LOWORD(lParam)),
                                       static_cast<short>(HIWORD(lParam)));
      }
      return false;
    default:
      return false;
  }
}
