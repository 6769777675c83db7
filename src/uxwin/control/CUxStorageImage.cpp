#include "uxwin/control/CUxStorageImage.h"

#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxFilePictures.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPictureBlit.h"
#include "uxwin/skin/UxScaledPictures.h"

CUxStorageImage::CUxStorageImage() = default;
CUxStorageImage::~CUxStorageImage() = default;

bool CUxStorageImage::IsClass(const char* name) const {
  return IsTag(name, "storageimage") || CUxWindow::IsClass(name);
}

int32_t CUxStorageImage::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxStorageImage>;
  static const auto* const table =
      new Table{{"filepath",
                 [](CUxStorageImage& image, const char* v, bool) {
                   // The picture is taken now, never while painting.
                   image.filePath_ = UxWin::UxAttributeParser::Text(v);
                   image.picture_ = image.filePath_.empty() ? nullptr : UxFilePictures::Instance().Get(image.filePath_);
                   return kOk;
                 }},
                {"subwidth", Table::Integer(&CUxStorageImage::subWidth_)},
                {"sub", Table::Integer(&CUxStorageImage::sub_)}};
  return table->Chain<CUxWindow>(*this, name, value, loading);
}

bool CUxStorageImage::HasDrawablePicture() const { return picture_ != nullptr; }

void CUxStorageImage::PaintContent(UxCanvas& canvas) {
  if (filePath_.empty() || !canvas.IsValid()) return;
  Gdiplus::Bitmap* image = picture_.get();
  if (!image) return;  // a missing or broken file draws nothing
  const RECT& r = rect();
  const INT width = static_cast<INT>(image->GetWidth());
  const INT frames = subWidth_ > 0 ? width / subWidth_ : 0;
  INT srcX = 0, srcW = width;
  if (frames > 1) {
    srcX = (((sub_ % frames) + frames) % frames) * subWidth_;
    srcW = subWidth_;
  }
  Gdiplus::Graphics& graphics = canvas.graphics();
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
  const INT srcH = static_cast<INT>(image->GetHeight());
  if (srcW == r.right - r.left && srcH == r.bottom - r.top) {
    // Unscaled: copied where the picture is opaque or clear, GDI+ for the part of each clip part
    // that needs it (a full stretch would be resampled whole and then clipped).
    UxPictureBlit::Draw(canvas, *image, r, POINT{srcX, 0});
    return;
  }
  // Stretched once per place (UxScaledPictures), then copied.
  const std::wstring variant = L"bilinear " + std::to_wstring(srcX) + L" " + std::to_wstring(srcW);
  UxScaledPictures::Instance().Draw(canvas, picture_, variant, r, [&](Gdiplus::Graphics& target, const RECT& to) {
    target.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
    target.DrawImage(image, Gdiplus::Rect(to.left, to.top, to.right - to.left, to.bottom - to.top), srcX, 0, srcW,
                     srcH, Gdiplus::UnitPixel);
  });
}
