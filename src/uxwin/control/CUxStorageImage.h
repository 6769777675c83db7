#pragma once

#include <memory>
#include <string>

#include "uxwin/object/CUxWindow.h"

namespace Gdiplus {
class Bitmap;
}

// "storageimage": a picture from a file chosen at run time ("filepath"), optionally one frame of
// a strip ("subwidth", "sub"), stretched over the control with its own alpha.
class CUxStorageImage : public CUxWindow {
 public:
  CUxStorageImage();
  ~CUxStorageImage() override;
  const char* GetObjectClass() const override { return "storageimage"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  const std::wstring& file_path() const { return filePath_; }

 protected:
  void PaintContent(UxCanvas& canvas) override;
  // The picture for this paint; the plain control decodes it afresh every time.
  virtual Gdiplus::Bitmap* Picture(std::unique_ptr<Gdiplus::Bitmap>& holder);
  static std::unique_ptr<Gdiplus::Bitmap> DecodeFile(const std::wstring& path);

  std::wstring filePath_;
  int32_t subWidth_ = 0;
  int32_t sub_ = 0;
};
