#pragma once

#include <string>

#include "uxwin/object/CUxWindow.h"

// "img": one frame of a named skin; sized by the skin unless "use_pos_size" says otherwise.
class CUxImageWnd : public CUxWindow {
 public:
  CUxImageWnd();
  const char* GetObjectClass() const override { return "img"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  const std::string& skin_name() const { return skinName_; }

 protected:
  SIZE DesiredSize(SIZE offered, bool useOffer) override;
  void PaintContent(UxCanvas& canvas) override;

 private:
  std::string skinName_;
  int32_t sub_ = 0;
  int32_t clipType_ = 0;
  int32_t alpha_ = 255;
  int32_t usePosSize_ = 0;
};
