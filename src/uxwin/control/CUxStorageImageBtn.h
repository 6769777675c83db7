#pragma once

#include "uxwin/control/CUxStorageImage.h"

// "storageimagebtn": a storage image used as a button. Its picture holds "subcount" frames
// (normal, hover, pushed, disabled); like any storage image it draws the picture taken when its
// path was set. A press on it is captured and reported instead of dragging the window.
class CUxStorageImageBtn : public CUxStorageImage {
 public:
  CUxStorageImageBtn();
  ~CUxStorageImageBtn() override;
  const char* GetObjectClass() const override { return "storageimagebtn"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;
  bool NeedRedrawWhenStateChange() override { return true; }
  bool HasDrawablePicture() const override;

 protected:
  void PaintContent(UxCanvas& canvas) override;

 private:
  int FrameIndex();

  int32_t subCount_ = 0;
};
