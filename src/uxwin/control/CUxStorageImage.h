#pragma once

#include <memory>
#include <string>

#include "uxwin/object/CUxWindow.h"

namespace Gdiplus {
class Bitmap;
}

// "storageimage": a picture from a file chosen at run time ("filepath"), optionally one frame of
// a strip ("subwidth", "sub"), stretched over the control with its own alpha. The picture is
// taken when the path is set (UxFilePictures decodes each file version once), never while painting,
// and stretched once per place (UxScaledPictures).
class CUxStorageImage : public CUxWindow {
 public:
  CUxStorageImage();
  ~CUxStorageImage() override;
  const char* GetObjectClass() const override { return "storageimage"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  const std::wstring& file_path() const { return filePath_; }
  // Whether the file gave a picture this control can draw a frame of.
  virtual bool HasDrawablePicture() const;

 protected:
  void PaintContent(UxCanvas& canvas) override;

  std::wstring filePath_;
  std::shared_ptr<Gdiplus::Bitmap> picture_;
  int32_t subWidth_ = 0;
  int32_t sub_ = 0;
};
