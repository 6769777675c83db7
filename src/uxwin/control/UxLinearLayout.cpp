#include "uxwin/control/UxLinearLayout.h"

#include <algorithm>
#include <memory>

#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxTextMeasurer.h"

namespace UxWin {

UxLinearLayout::UxLinearLayout() {
  auto strategy = std::make_unique<UxLinearLayoutStrategy>();
  strategy_ = strategy.get();
  SetLayoutStrategy(std::move(strategy));
}

bool UxLinearLayout::IsClass(const char* name) const {
  return IsTag(name, "linearlayout") || CUxDialog::IsClass(name);
}

int32_t UxLinearLayout::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxAttributeTable<UxLinearLayout>;
  const auto arrangement = [](int32_t UxLinearLayoutStrategy::*field) -> Table::Handler {
    return [field](UxLinearLayout& layout, const char* v, bool load) {
      layout.strategy_->*field = UxAttributeParser::Integer(v);
      if (!load) layout.RepositionChilds();
      return kOk;
    };
  };
  static const auto* const table = new Table{{"clip_region",
                                              [](UxLinearLayout& layout, const char* v, bool) {
                                                layout.clipRegion_ = UxAttributeParser::Integer(v);
                                                return 1;  // what the engine has always answered for it
                                              }},
                                             {"layout_orientation", arrangement(&UxLinearLayoutStrategy::vertical)},
                                             {"layout_reverse", arrangement(&UxLinearLayoutStrategy::reverse)},
                                             {"layout_space", arrangement(&UxLinearLayoutStrategy::space)}};
  return table->Chain<CUxDialog>(*this, name, value, loading);
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
