#include "uxwin/skin/UxCanvas.h"

#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/style/UxTextCache.h"


UxCanvas::UxCanvas(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0 || !UxGdiplus::Start()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    return;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  Clear();
  surface_ = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                               reinterpret_cast<BYTE*>(bits_));
}

UxCanvasClip::UxCanvasClip(UxCanvas& canvas, const RECT& rect) : canvas_(canvas) {
  savedDc_ = SaveDC(canvas.dc());
  IntersectClipRect(canvas.dc(), rect.left, rect.top, rect.right, rect.bottom);
  graphicsState_ = canvas.graphics().Save();
  canvas.graphics().SetClip(Gdiplus::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                            Gdiplus::CombineModeIntersect);
}

UxCanvasClip::UxCanvasClip(UxCanvas& canvas, HRGN region) : canvas_(canvas) {
  savedDc_ = SaveDC(canvas.dc());
  ExtSelectClipRgn(canvas.dc(), region, RGN_AND);
  graphicsState_ = canvas.graphics().Save();
  Gdiplus::Region clip(region);
  canvas.graphics().SetClip(&clip, Gdiplus::CombineModeIntersect);
}

UxCanvasClip::~UxCanvasClip() {
  canvas_.graphics().Restore(graphicsState_);
  if (savedDc_) RestoreDC(canvas_.dc(), savedDc_);
}

UxCanvas::~UxCanvas() {
  textCache_.reset();
  graphics_.reset();
  surface_.reset();
  if (dc_) {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
}

Gdiplus::Graphics& UxCanvas::graphics() {
  if (!graphics_) {
    graphics_ = std::make_unique<Gdiplus::Graphics>(surface_.get());
    graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics_->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
  }
  return *graphics_;
}

RECT UxCanvas::ClipBox() const {
  RECT box{0, 0, width_, height_};
  if (dc_ && GetClipBox(dc_, &box) == ERROR) box = RECT{0, 0, width_, height_};
  return box;
}

bool UxCanvas::ClipParts(const RECT& within, std::vector<RECT>& parts) const {
  parts.clear();
  if (!dc_) return false;
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  if (!clip) return false;
  const int clipped = GetClipRgn(dc_, clip);
  if (clipped == 0) {  // no clip: all of within
    DeleteObject(clip);
    if (!IsRectEmpty(&within)) parts.push_back(within);
    return true;
  }
  HRGN box = clipped == 1 ? CreateRectRgnIndirect(&within) : nullptr;
  const bool combined = box && CombineRgn(clip, clip, box, RGN_AND) != ERROR;
  if (box) DeleteObject(box);
  const DWORD size = combined ? GetRegionData(clip, 0, nullptr) : 0;
  std::vector<BYTE> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  const bool read = size >= sizeof(RGNDATAHEADER) && GetRegionData(clip, size, data) != 0;
  DeleteObject(clip);
  if (!read) return false;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  parts.assign(rects, rects + data->rdh.nCount);
  return true;
}

UxTextCache& UxCanvas::text_cache() {
  if (!textCache_) textCache_ = std::make_unique<UxTextCache>();
  return *textCache_;
}

uint32_t UxCanvas::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return bits_[y * width_ + x];
}

void UxCanvas::Clear(uint32_t premultipliedArgb) {
  if (!bits_) return;
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = premultipliedArgb;
}

bool UxCanvas::SavePng(const std::wstring& path) {
  CLSID png{};
  if (!surface_ || !UxGdiplus::EncoderClsid(L"image/png", png)) return false;
  GdiFlush();
  return surface_->Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}
