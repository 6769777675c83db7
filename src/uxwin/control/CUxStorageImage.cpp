#include "uxwin/control/CUxStorageImage.h"

#include <cstring>

#include "utils/FileUtil.h"
#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPngPool.h"

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

std::unique_ptr<Gdiplus::Bitmap> CUxStorageImage::DecodeFile(const std::wstring& path) {
  // Read whole and decoded from memory: the file is never held open.
  std::string bytes;
  if (path.empty() || !qm::FileUtil::ReadAll(path, bytes)) return nullptr;
  return UxPngPool::Decode(bytes);
}

Gdiplus::Bitmap* CUxStorageImage::Picture(std::unique_ptr<Gdiplus::Bitmap>& holder) {
  holder = DecodeFile(filePath_);
  return holder.get();
}

void CUxStorageImage::PaintContent(UxCanvas& canvas) {
  if (filePath_.empty() || !canvas.IsValid()) return;
  std::unique_ptr<Gdiplus::Bitmap> holder;
  Gdiplus::Bitmap* image = Picture(holder);
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
