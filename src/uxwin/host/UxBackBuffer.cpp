#include "uxwin/host/UxBackBuffer.h"

#include <algorithm>
#include <vector>

#include "uxwin/skin/UxCanvas.h"

UxBackBuffer::UxBackBuffer() = default;

UxBackBuffer::~UxBackBuffer() { Release(); }

void UxBackBuffer::Invalidate(const RECT& rect) {
  if (fullPaint_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
  HRGN piece = CreateRectRgnIndirect(&rect);
  if (!piece) {
    fullPaint_ = true;  // without a region, repaint everything rather than lose the change
    return;
  }
  if (!invalid_) {
    invalid_ = piece;
    return;
  }
  CombineRgn(invalid_, invalid_, piece, RGN_OR);
  DeleteObject(piece);
}

void UxBackBuffer::InvalidateAll() {
  fullPaint_ = true;
  DropInvalidRegion();
}

void UxBackBuffer::DropInvalidRegion() {
  if (invalid_) DeleteObject(invalid_);
  invalid_ = nullptr;
}

void UxBackBuffer::Release() {
  canvas_.reset();
  unpushed_ = RECT{};
  InvalidateAll();
}

void UxBackBuffer::ClearRegion(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size == 0) return;
  std::vector<BYTE> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (!GetRegionData(region, size, data)) return;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  GdiFlush();
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    const LONG left = std::max<LONG>(rects[i].left, 0), right = std::min<LONG>(rects[i].right, canvas_->width());
    const LONG top = std::max<LONG>(rects[i].top, 0), bottom = std::min<LONG>(rects[i].bottom, canvas_->height());
    for (LONG y = top; y < bottom; ++y) {
      std::fill(canvas_->bits() + y * canvas_->width() + left, canvas_->bits() + y * canvas_->width() + right, 0u);
    }
    if (right > left && bottom > top) lastPaintedArea_ += static_cast<long long>(right - left) * (bottom - top);
  }
}

void UxBackBuffer::Paint(int width, int height, const DrawFn& draw) {
  if (!canvas_ || canvas_->width() != width || canvas_->height() != height) {
    canvas_ = std::make_unique<UxCanvas>(width, height);
    InvalidateAll();
  }
  lastPaintedArea_ = 0;
  if (!canvas_->IsValid()) return;
  if (fullPaint_) {
    canvas_->Clear();
    lastPaintedArea_ = static_cast<long long>(width) * height;
    unpushed_ = RECT{0, 0, width, height};
    draw(*canvas_, nullptr);
  } else if (invalid_) {
    RECT bounds{}, painted{};
    GetRgnBox(invalid_, &bounds);
    const RECT surface{0, 0, width, height};
    IntersectRect(&painted, &bounds, &surface);
    UnionRect(&unpushed_, &unpushed_, &painted);
    ClearRegion(invalid_);
    UxCanvasClip clip(*canvas_, invalid_);
    draw(*canvas_, invalid_);
  }
  GdiFlush();
  DropInvalidRegion();
  fullPaint_ = false;
}

bool UxBackBuffer::Present(HWND window, HDC paintDc, BYTE constantAlpha) {
  if (!canvas_ || !canvas_->IsValid()) return false;
  const SIZE size{canvas_->width(), canvas_->height()};
  if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    POINT position{windowRect.left, windowRect.top};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update{sizeof(update), paintDc, &position, &size, canvas_->dc(), &source, 0, &blend,
                                   ULW_ALPHA, IsRectEmpty(&unpushed_) ? nullptr : &unpushed_};
    const bool pushed = UpdateLayeredWindowIndirect(window, &update) != FALSE;
    if (pushed) unpushed_ = RECT{};
    return pushed;
  }
  return paintDc && BitBlt(paintDc, 0, 0, size.cx, size.cy, canvas_->dc(), 0, 0, SRCCOPY) != FALSE;
}
