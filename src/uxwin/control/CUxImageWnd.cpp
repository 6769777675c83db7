#include "uxwin/control/CUxImageWnd.h"

#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/skin/UxSkinPool.h"

CUxImageWnd::CUxImageWnd() = default;

bool CUxImageWnd::IsClass(const char* name) const {
  return IsTag(name, "img") || CUxWindow::IsClass(name);
}

int32_t CUxImageWnd::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxImageWnd>;
  static const auto* const table = new Table{{"skin", Table::String(&CUxImageWnd::skinName_)},
                                             {"sub", Table::Integer(&CUxImageWnd::sub_)},
                                             {"cliptype", Table::Integer(&CUxImageWnd::clipType_)},
                                             {"alpha", Table::Integer(&CUxImageWnd::alpha_)},
                                             {"use_pos_size", Table::Integer(&CUxImageWnd::usePosSize_)}};
  return table->Chain<CUxWindow>(*this, name, value, loading);
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
