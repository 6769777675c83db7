#include "preview/PreviewImage.h"

#include <cstring>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace preview {

bool PreviewImage::SavePng(const std::wstring& path) const {
  UxCanvas canvas(width_, height_);
  if (!canvas.IsValid()) return false;
  GdiFlush();
  std::memcpy(canvas.bits(), pixels_.data(), pixels_.size() * sizeof(uint32_t));
  return canvas.SavePng(path);
}

bool PreviewImage::LoadPng(const std::wstring& path, PreviewImage& image) {
  if (!UxGdiplus::Start()) return false;
  Gdiplus::Bitmap bitmap(path.c_str());
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return false;
  const int width = static_cast<int>(bitmap.GetWidth()), height = static_cast<int>(bitmap.GetHeight());
  if (width <= 0 || height <= 0) return false;
  PreviewImage loaded(width, height);
  Gdiplus::BitmapData data{};
  data.Width = static_cast<UINT>(width);
  data.Height = static_cast<UINT>(height);
  data.Stride = width * 4;
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = loaded.pixels().data();
  Gdiplus::Rect area(0, 0, width, height);
  if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                      &data) != Gdiplus::Ok) {
    return false;
  }
  bitmap.UnlockBits(&data);
  image = std::move(loaded);
  return true;
}

void PreviewImage::Blend(const PreviewImage& source, int x, int y) {
  for (int row = 0; row < source.height_; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= height_) continue;
    for (int column = 0; column < source.width_; ++column) {
      const int tx = x + column;
      if (tx < 0 || tx >= width_) continue;
      const uint32_t s = source.pixels_[static_cast<size_t>(row) * source.width_ + column];
      uint32_t& d = pixels_[static_cast<size_t>(ty) * width_ + tx];
      const uint32_t keep = 255 - (s >> 24);
      uint32_t out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t channel = ((s >> shift) & 0xFF) + (((d >> shift) & 0xFF) * keep + 127) / 255;
        out |= (channel > 255 ? 255 : channel) << shift;
      }
      d = out;
    }
  }
}

}  // namespace preview
