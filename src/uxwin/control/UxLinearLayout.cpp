#include "uxwin/control/UxLinearLayout.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxTextMeasurer.h"

namespace UxWin {

UxLinearLayout::UxLinearLayout() {
  auto strategy = std::make_unique<UxLinearLayoutStrategy>();
  strategy_ = strategy.get();
  SetLayoutStrategy(std::move(strategy));
}

bool UxLinearLayout::IsClass(const char* name) const {
  return (name && std::strcmp(name, "linearlayout") == 0) || CUxDialog::IsClass(name);
}

int32_t UxLinearLayout::SetAttribute(const char* name, const char* value, bool loading) {
  const int32_t base = CUxDialog::SetAttribute(name, value, loading);
  if (base >= 0 || !name) return base;
  if (std::strcmp(name, "clip_region") == 0) {
    clipRegion_ = UxAttributeParser::Integer(value);
    return 1;
  }
  int32_t UxLinearLayoutStrategy::*field = nullptr;
  if (std::strcmp(name, "layout_orientation") == 0) field = &UxLinearLayoutStrategy::vertical;
  if (std::strcmp(name, "layout_reverse") == 0) field = &UxLinearLayoutStrategy::reverse;
  if (std::strcmp(name, "layout_space") == 0) field = &UxLinearLayoutStrategy::space;
  if (!field) return kFail;
  strategy_->*field = UxAttributeParser::Integer(value);
  if (!loading) RepositionChilds();
  return kOk;
}

SIZE UxLinearLayout::DesiredSize(SIZE offered, bool useOffer) {
  const UxLayoutParam& own = layout();
  if (position().count == 4 || (own.width != -1 && own.height != -1)) return CUxDialog::DesiredSize(offered, useOffer);
  const SIZE run = strategy_->RunSize(*this, offered);
  const LONG width = UxTextMeasurer::Dimension(own.width, offered.cx, run.cx);
  const LONG height = UxTextMeasurer::Dimension(own.height, offered.cy, run.cy);
  return SIZE{std::min<LONG>(std::max<LONG>(width, own.minWidth), own.maxWidth),
              std::min<LONG>(std::max<LONG>(height, own.minHeight), own.maxHeight)};
}

void UxLinearLayout::PaintChildren(UxCanvas& canvas, HRGN region) {
  if (!clipRegion_) return CUxDialog::PaintChildren(canvas, region);
  // Children that stick out of the row are cut at its edges.
  HRGN clip = CreateRectRgnIndirect(&rect());
  if (!clip) return CUxDialog::PaintChildren(canvas, region);
  if (region) CombineRgn(clip, clip, region, RGN_AND);
  UxCanvasClip scoped(canvas, rect());
  CUxDialog::PaintChildren(canvas, clip);
  DeleteObject(clip);
}

}  // namespace UxWin
