#include "uxwin/layout/UxLayoutParam.h"

#include <algorithm>
#include <map>
#include <string>

#include "uxwin/object/IUxWindow.h"
#include "uxwin/object/UxAttributeParser.h"

namespace UxWin {

int32_t UxLayoutParam::Scaled(int32_t value) const { return window_ ? window_->ScaleByDpi(value) : value; }

int32_t UxLayoutParam::SetAttribute(const char* name, const char* value, bool loading) {
  static const std::map<std::string, int32_t UxLayoutParam::*> kFields = {
      {"layout_margin_left", &UxLayoutParam::marginLeft},   {"layout_margin_right", &UxLayoutParam::marginRight},
      {"layout_margin_top", &UxLayoutParam::marginTop},     {"layout_margin_bottom", &UxLayoutParam::marginBottom},
      {"layout_width", &UxLayoutParam::width},              {"layout_height", &UxLayoutParam::height},
      {"layout_min_width", &UxLayoutParam::minWidth},       {"layout_max_width", &UxLayoutParam::maxWidth},
      {"layout_min_height", &UxLayoutParam::minHeight},     {"layout_max_height", &UxLayoutParam::maxHeight},
      {"layout_place_holder", &UxLayoutParam::placeHolder}, {"layout_float", &UxLayoutParam::floating}};
  if (!name) return kFail;
  const auto found = kFields.find(name);
  if (found == kFields.end()) return kFail;
  const int32_t number = UxAttributeParser::Integer(value);
  int32_t& field = this->*(found->second);
  if (found->second == &UxLayoutParam::floating) {
    field = number;
  } else if (found->second == &UxLayoutParam::width || found->second == &UxLayoutParam::height) {
    // -1 (wrap the content) and -2 (match the parent) are not pixels.
    field = number == -1 || number == -2 ? number : std::max(0, Scaled(number));
  } else {
    field = Scaled(number);
  }
  if (!loading && window_) window_->RequestRelayout();
  return kOk;
}

}  // namespace UxWin
