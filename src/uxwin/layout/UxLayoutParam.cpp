#include "uxwin/layout/UxLayoutParam.h"

#include <algorithm>

#include "uxwin/base/IUxWindow.h"
#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"

namespace UxWin {

int32_t UxLayoutParam::Scaled(int32_t value) const { return window_ ? window_->ScaleByDpi(value) : value; }

int32_t UxLayoutParam::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxAttributeTable<UxLayoutParam>;
  const auto pixels = [](int32_t UxLayoutParam::*field) -> Table::Handler {
    return [field](UxLayoutParam& p, const char* v, bool) {
      p.*field = p.Scaled(UxAttributeParser::Integer(v));
      return kOk;
    };
  };
  // -1 (wrap the content) and -2 (match the parent) are not pixels.
  const auto extent = [](int32_t UxLayoutParam::*field) -> Table::Handler {
    return [field](UxLayoutParam& p, const char* v, bool) {
      const int32_t number = UxAttributeParser::Integer(v);
      p.*field = number == -1 || number == -2 ? number : std::max(0, p.Scaled(number));
      return kOk;
    };
  };
  static const auto* const table = new Table{{"layout_margin_left", pixels(&UxLayoutParam::marginLeft)},
                                             {"layout_margin_right", pixels(&UxLayoutParam::marginRight)},
                                             {"layout_margin_top", pixels(&UxLayoutParam::marginTop)},
                                             {"layout_margin_bottom", pixels(&UxLayoutParam::marginBottom)},
                                             {"layout_width", extent(&UxLayoutParam::width)},
                                             {"layout_height", extent(&UxLayoutParam::height)},
                                             {"layout_min_width", pixels(&UxLayoutParam::minWidth)},
                                             {"layout_max_width", pixels(&UxLayoutParam::maxWidth)},
                                             {"layout_min_height", pixels(&UxLayoutParam::minHeight)},
                                             {"layout_max_height", pixels(&UxLayoutParam::maxHeight)},
                                             {"layout_place_holder", pixels(&UxLayoutParam::placeHolder)},
                                             {"layout_float", Table::Integer(&UxLayoutParam::floating)}};
  const int32_t result = table->Apply(*this, name, value, loading);
  if (result >= 0 && !loading && window_) window_->RequestRelayout();
  return result;
}

}  // namespace UxWin
