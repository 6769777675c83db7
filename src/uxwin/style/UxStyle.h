#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "uxwin/base/CUxObject.h"

// The typography and look a control names with its "class" attribute.
class UxStyle : public CUxObject {
 public:
  COLORREF crBg = CLR_INVALID;
  COLORREF crBgHover = CLR_INVALID;
  COLORREF crText = CLR_INVALID;
  COLORREF crHover = CLR_INVALID;
  COLORREF crDisabled = 0xCCCCCC;
  COLORREF crPush = CLR_INVALID;
  uint32_t textMode = DT_SINGLELINE | DT_BOTTOM;  // 0x28
  uint16_t font = 0;
  uint16_t hoverFont = 0;
  uint16_t pushFont = 0;
  int32_t xMargin = 0;
  int32_t yMargin = 0;
  int32_t spacing = 0;
  int32_t lineSpacing = 20;
  ULONG_PTR cursor = reinterpret_cast<ULONG_PTR>(IDC_ARROW);  // 0x7F00
  std::string skin;
  int32_t shadow = 0;
  int32_t gdiplus = 0;
  int32_t gdiplusCalcText = 0;
  int32_t yhResizeDisable = 0;
  int32_t gdiTextRenderingHint = 0;
  COLORREF crShadow = 0x010101;
  int32_t alphaBg = 255;
  int32_t alphaText = 254;
  int32_t bgGdiplus = 0;
  uint32_t textModeEx = 0;
  std::string name;

  const char* GetObjectClass() const override { return "class"; }
  // 0 when the name is known and the value taken; E_FAIL otherwise (nothing changes).
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;
};
