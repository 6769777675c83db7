#pragma once

#include "uxwin/layout/UxLinearLayoutStrategy.h"
#include "uxwin/object/CUxDialog.h"

namespace UxWin {

// "linearlayout": a row (or column) of children; painting is clipped to it unless "clip_region" is 0.
// Without a position, a layout dimension left to the content is as long as the children need.
class UxLinearLayout : public CUxDialog {
 public:
  UxLinearLayout();
  const char* GetObjectClass() const override { return "linearlayout"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  const UxLinearLayoutStrategy& strategy() const { return *strategy_; }

 protected:
  void PaintChildren(UxCanvas& canvas, HRGN region) override;
  SIZE DesiredSize(SIZE offered, bool useOffer) override;

 private:
  UxLinearLayoutStrategy* strategy_;  // owned by the container
  int32_t clipRegion_ = 1;
};

}  // namespace UxWin
