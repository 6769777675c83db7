#pragma once

#include "uxwin/object/CUxWindow.h"

// "lineviewex": a straight line through the middle of the control, as thick as the control
// (horizontal) or as wide (vertical), in ARGB colours with GDI+ caps and dashes.
class CUxLineViewEx : public CUxWindow {
 public:
  const char* GetObjectClass() const override { return "lineviewex"; }
  bool IsClass(const char* name) const override;
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;
  bool NeedRedrawWhenStateChange() override;

  // "AARRGGBB", or "RRGGBB" made opaque; a non-hex character gives 0 (opaque black when short).
  static uint32_t ParseArgb(const char* text);
  uint32_t CurrentColour();

 protected:
  void PaintContent(UxCanvas& canvas) override;

 private:
  uint32_t lineColour_ = 0;
  uint32_t hoverColour_ = 0;
  bool hoverSet_ = false;
  uint32_t pushColour_ = 0;
  bool pushSet_ = false;
  int32_t vertical_ = 0;
  int32_t startCap_ = 0;
  int32_t endCap_ = 0;
  int32_t dashStyle_ = 0;
};
