#include "uxwin/control/CUxStorageImageBtn.h"

#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxComposedPictures.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPictureBlit.h"

CUxStorageImageBtn::CUxStorageImageBtn() { CUxWindow::SetAttribute("headacceptlbtndownmsg", "1", true); }

CUxStorageImageBtn::~CUxStorageImageBtn() = default;

bool CUxStorageImageBtn::IsClass(const char* name) const {
  return IsTag(name, "storageimagebtn") || CUxStorageImage::IsClass(name);
}

int32_t CUxStorageImageBtn::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxStorageImageBtn>;
  static const auto* const table = new Table{{"subcount", Table::Integer(&CUxStorageImageBtn::subCount_)}};
  return table->Chain<CUxStorageImage>(*this, name, value, loading);
}

bool CUxStorageImageBtn::HasDrawablePicture() const {
  if (!picture_) return false;
  return subCount_ <= 0 || picture_->GetWidth() / static_cast<UINT>(subCount_) > 0;
}

int CUxStorageImageBtn::FrameIndex() {
  if (IsDisabled(false)) return 3;
  if (state() & kPushed) return 2;
  return (state() & kHover) ? 1 : 0;
}

void CUxStorageImageBtn::PaintContent(UxCanvas& canvas) {
  if (filePath_.empty() || !canvas.IsValid()) return;
  Gdiplus::Bitmap* image = picture_.get();
  if (!image) return;
  INT frameWidth = static_cast<INT>(image->GetWidth());
  INT frameX = 0;
  if (subCount_ > 0) {
    const int index = FrameIndex();
    if (index >= subCount_) return;  // no frame for this state
    frameWidth /= subCount_;
    frameX = index * frameWidth;
  }
  const INT height = static_cast<INT>(image->GetHeight());
  if (frameWidth <= 0 || height <= 0) return;
  const RECT& r = rect();
  if (frameWidth == r.right - r.left && height == r.bottom - r.top) {
    // Unscaled, the frame is its own pixels: copied where opaque or clear, GDI+ for the rest.
    Gdiplus::Graphics& graphics = canvas.graphics();
    // Pixel for pixel, whatever mode the last control left: no sampling reaches the next frame.
    const Gdiplus::InterpolationMode mode = graphics.GetInterpolationMode();
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    UxPictureBlit::Draw(canvas, *image, r, POINT{frameX, 0});
    graphics.SetInterpolationMode(mode);
    return;
  }
  // Over the pixels it met before, the stretch leaves the pixels it left then.
  const std::wstring variant = L"bicubic " + std::to_wstring(frameX) + L" " + std::to_wstring(frameWidth);
  UxComposedPictures::Instance().Draw(canvas, picture_, variant, r, [&] {
    // Cut from a transparent copy, so the stretch never blends in pixels beyond the frame.
    Gdiplus::Bitmap frame(frameWidth, height, PixelFormat32bppARGB);
    {
      Gdiplus::Graphics cutter(&frame);
      cutter.Clear(Gdiplus::Color(0, 0, 0, 0));
      cutter.DrawImage(image, Gdiplus::Rect(0, 0, frameWidth, height), frameX, 0, frameWidth, height,
                       Gdiplus::UnitPixel);
    }
    Gdiplus::Graphics& graphics = canvas.graphics();
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(&frame, Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top), 0, 0, frameWidth,
                       height, Gdiplus::UnitPixel, &attributes);
  });
}
