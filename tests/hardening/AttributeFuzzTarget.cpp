#include "AttributeFuzzTarget.h"

#include <climits>
#include <cstring>

#include "uxwin/UxEngine.h"
#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/control/CUxStatic.h"
#include "uxwin/control/UxLinearLayout.h"
#include "uxwin/layout/UxLayoutParam.h"
#include "uxwin/layout/UxPosition.h"
#include "uxwin/skin/UxCanvas.h"

namespace hardening {

using UxWin::UxAttributeParser;
using UxWin::UxPosition;

namespace {

const char* const kNames[] = {"pos", "width", "height", "layout_width", "layout_height", "layout_margin_left",
                              "layout_min_width", "layout_max_height", "layout_place_holder", "layout_float",
                              "layout_orientation", "layout_reverse", "layout_space", "clip_region", "crtext",
                              "crbg", "font", "textmode", "skin", "class", "id", "show", "text", "tip", "alpha",
                              "sizemode", "enable", "dpiaware"};

bool HexOnly(const char* text) {
  for (; *text; ++text) {
    if (!std::isxdigit(static_cast<unsigned char>(*text))) return false;
  }
  return true;
}

void Place(CUxWindow& window, LONG width, LONG height) {
  WINDOWPOS placement{};
  placement.cx = width;
  placement.cy = height;
  LRESULT ignored = 0;
  window.ProcessMessage(nullptr, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&placement), ignored);
}

}  // namespace

AttributeFuzzTarget::AttributeFuzzTarget() { UxEngine::SetUpOnce(); }

std::vector<std::string> AttributeFuzzTarget::Corpus() {
  return {"pos=|-140,246,|140,-46", "pos=-52,28,-28,52", "pos=10,10,w20,h30", "pos=0,0,-0,-0", "pos=5,|-1,-5,|1",
          "pos=10,20,30", "layout_width=-2", "layout_height=24", "layout_margin_left=-12", "crtext=FF3A1C",
          "font=0904", "textmode=25", "layout_orientation=1", "layout_space=8", "width=520", "text=%str1% \xE4\xB8\xAD",
          "show=0", "layout_place_holder=1", "layout_float=1", "id=1001", "skin=count_down_bg_red", "class=title"};
}

std::vector<std::string> AttributeFuzzTarget::Tokens() const {
  std::vector<std::string> tokens = {",", "|", "-", "w", "h", "=", " ", "+", "0x", "2147483647", "-2147483648",
                                     "99999999999", "FFFFFF", "%str", "\t"};
  for (const char* name : kNames) tokens.push_back(std::string(name) + "=");
  return tokens;
}

void AttributeFuzzTarget::OnControls(const std::string& name, const std::string& value, FuzzVerdict& verdict) {
  if (!dialog_ || runs_ % 64 == 1) {
    dialog_ = std::make_unique<CUxDialog>();
    dialog_->set_rect(RECT{0, 0, 520, 360});
  }
  const bool loading = runs_ % 2 == 0;
  auto* text = static_cast<CUxStatic*>(dialog_->AddChild(std::make_unique<CUxStatic>()));
  text->SetAttribute(name.c_str(), value.c_str(), loading);
  auto* layout = static_cast<UxWin::UxLinearLayout*>(dialog_->AddChild(std::make_unique<UxWin::UxLinearLayout>()));
  layout->SetAttribute(name.c_str(), value.c_str(), loading);
  auto* child = static_cast<CUxStatic*>(layout->AddChild(std::make_unique<CUxStatic>()));
  child->SetAttribute("text", "abc", true);
  child->SetAttribute(name.c_str(), value.c_str(), loading);
  layout->AddChild(std::make_unique<CUxStatic>())->SetAttribute(name.c_str(), value.c_str(), !loading);
  Place(*dialog_, 520, 360);
  if (runs_ % 64 == 0) {
    UxCanvas canvas(160, 90);
    dialog_->RedrawRegion(canvas, nullptr);
  }
  UxWin::UxLayoutParam param;
  if (param.SetAttribute(name.c_str(), value.c_str(), loading) == 0) {
    verdict.Check(param.width >= -2 && param.height >= -2, "a layout size below -2");
  }
}

FuzzVerdict AttributeFuzzTarget::Run(const std::string& input) {
  ++runs_;
  const size_t equals = input.find('=');
  const std::string name = equals == std::string::npos ? kNames[input.size() % (sizeof(kNames) / sizeof(kNames[0]))]
                                                       : input.substr(0, equals);
  // Attribute values come from XML text: no zero byte inside.
  std::string value = equals == std::string::npos ? input : input.substr(equals + 1);
  value = value.substr(0, value.find('\0'));

  FuzzVerdict verdict;
  const UxPosition position = UxPosition::Parse(value.c_str());
  verdict.accepted = position.count != 0;
  verdict.Check(position.count == 0 || position.count == 2 || position.count == 4, "a position of neither 0, 2 nor 4 items");
  for (int i = 0; i < position.count; ++i) {
    for (const auto& [start, end] : {std::pair{0, 520}, std::pair{INT_MIN, INT_MAX}, std::pair{INT_MAX, INT_MIN}}) {
      UxPosition::Resolve(position.items[i], start, end);
    }
  }
  UxAttributeParser::Integer(value.c_str());
  UxAttributeParser::Colour(value.c_str());
  UxAttributeParser::Hex(value.c_str());
  UxAttributeParser::Text(value.c_str());
  const uint16_t font = UxAttributeParser::FontCode(value.c_str());
  if (value.size() > 4 || !HexOnly(value.c_str())) verdict.Check(font == 0, "a font code from what is not one");
  OnControls(name, value, verdict);
  return verdict;
}

}  // namespace hardening
