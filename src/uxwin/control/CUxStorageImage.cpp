#include "uxwin/control/CUxStorageImage.h"

#include <cstring>

#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxFilePictures.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

CUxStorageImage::CUxStorageImage() = default;
CUxStorageImage::~CUxStorageImage() = default;

bool CUxStorageImage::IsClass(const char* name) const {
  return (name && std::strcmp(name, "storageimage") == 0) || CUxWindow::IsClass(name);
}

int32_t CUxStorageImage::SetAttribute(const char* name, const char* value, bool loading) {
  const int32_t base = CUxWindow::SetAttribute(name, value, loading);
  if (base >= 0 || !name) return base;
  if (std::strcmp(name, "filepath") == 0) {
    filePath_ = UxWin::UxAttributeParser::Text(value);
    picture_ = filePath_.empty() ? nullptr : UxFilePictures::Instance().Get(filePath_);
    return kOk;
  }
  if (std::strcmp(name, "subwidth") == 0) {
    subWidth_ = UxWin::UxAttributeParser::Integer(value);
    return kOk;
  }
  if (std::strcmp(name, "sub") == 0) {
    sub_ = UxWin::UxAttributeParser::Integer(value);
    return kOk;
  }
  return kFail;
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
  graphics.DrawImage(image, Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top), srcX, 0, srcW,
                     static_cast<INT>(image->GetHeight()), Gdiplus::UnitPixel);
}
