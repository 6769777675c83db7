#pragma once

#include "uxwin/control/CUxStorageImage.h"

// "storageimagebtn": a storage image used as a button. Its picture holds "subcount" frames
// (normal, hover, pushed, disabled); the decoded picture is kept until the path changes. A press
// on it is captured and reported instead of dragging the window.
class CUxStorageImageBtn : public CUxStorageImage {
 public:
  CUxStorageImageBtn();
  ~CUxStorageImageBtn() override;
  const char* GetObjectClass() const override { return "storageimagebtn"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;
  bool NeedRedrawWhenStateChange() override { return true; }

 protected:
  void PaintContent(UxCanvas& canvas) override;
  Gdiplus::Bitmap* Picture(std::unique_ptr<Gdiplus::Bitmap>& holder) override;

 private:
  int FrameIndex();

  int32_t subCount_ = 0;
  std::unique_ptr<Gdiplus::Bitmap> cached_;
  std::wstring cachedPath_;
};
