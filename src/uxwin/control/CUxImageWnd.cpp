#include "uxwin/control/CUxImageWnd.h"

#include <cstring>

#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/skin/UxSkinPool.h"

CUxImageWnd::CUxImageWnd() = default;

bool CUxImageWnd::IsClass(const char* name) const {
  return (name && std::strcmp(name, "img") == 0) || CUxWindow::IsClass(name);
}

int32_t CUxImageWnd::SetAttribute(const char* name, const char* value, bool loading) {
  const int32_t base = CUxWindow::SetAttribute(name, value, loading);
  if (base >= 0 || !name) return base;
  if (std::strcmp(name, "skin") == 0) {
    skinName_ = value ? value : "";
    return kOk;
  }
  int32_t CUxImageWnd::*field = nullptr;
  if (std::strcmp(name, "sub") == 0) field = &CUxImageWnd::sub_;
  if (std::strcmp(name, "cliptype") == 0) field = &CUxImageWnd::clipType_;
  if (std::strcmp(name, "alpha") == 0) field = &CUxImageWnd::alpha_;
  if (std::strcmp(name, "use_pos_size") == 0) field = &CUxImageWnd::usePosSize_;
  if (!field) return kFail;
  this->*field = UxWin::UxAttributeParser::Integer(value);
  return kOk;
}

SIZE CUxImageWnd::DesiredSize(SIZE offered, bool useOffer) {
  const SIZE generic = CUxWindow::DesiredSize(offered, useOffer);
  if (usePosSize_) return generic;
  CUxSkinBase* skin = skinName_.empty() ? nullptr : UxSkinPool::Instance().GetSkin(skinName_);
  if (!skin || !skin->LoadImage()) return generic;
  const SIZE size = skin->GetSkinSize();
  return SIZE{ScaleByDpi(size.cx), ScaleByDpi(size.cy)};
}

void CUxImageWnd::PaintContent(UxCanvas& canvas) {
  CUxSkinBase* skin = skinName_.empty() ? nullptr : UxSkinPool::Instance().GetSkin(skinName_);
  if (!skin) return;
  // The pop-up draws whole frames only; the clip kinds are not part of this engine.
  if (clipType_ != 0) return;
  skin->Draw(canvas, rect(), sub_, dpi_aware() && UxWin::UxDpiContext::Instance().IsEnabled(), 255);
}
