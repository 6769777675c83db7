// The attribute grammar of CUxWindow: one table, name -> how the value lands in the window, in the
// order of precedence the engine has always used.
#include <tinyxml2.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "uxwin/object/CUxWindow.h"
#include "uxwin/object/UxAttributeParser.h"
#include "uxwin/style/UxString.h"

using UxWin::UxAttributeParser;

class CUxWindowAttributes {
 public:
  using Setter = std::function<void(CUxWindow&, const char*)>;

  template <typename Field>
  static Setter Integer(Field CUxWindow::*field) {
    return [field](CUxWindow& w, const char* v) { w.*field = static_cast<Field>(UxAttributeParser::Integer(v)); };
  }
  static Setter Text(std::wstring CUxWindow::*field) {
    return [field](CUxWindow& w, const char* v) { w.*field = UxAttributeParser::Text(v); };
  }
  static Setter Colour(COLORREF CUxWindow::*field) {
    return [field](CUxWindow& w, const char* v) { w.*field = UxAttributeParser::Colour(v); };
  }

  static const std::map<std::string, Setter>& Table() {
    static const auto* const table = new std::map<std::string, Setter>{
        {"class", [](CUxWindow& w, const char* v) { w.className_ = v ? v : ""; }},
        {"id", Integer(&CUxWindow::id_)},
        {"alphatxt", Integer(&CUxWindow::alphaText_)},
        {"crbg", Colour(&CUxWindow::crBg_)},
        {"crtext", Colour(&CUxWindow::crText_)},
        {"font", [](CUxWindow& w, const char* v) { w.fontCode_ = UxAttributeParser::FontCode(v); }},
        {"href", Text(&CUxWindow::link_)},
        {"tip", Text(&CUxWindow::toolTip_)},
        {"valign",
         [](CUxWindow& w, const char* v) {
           if (!v) return;
           if (!std::strcmp(v, "top")) w.verticalAlign_ = 0;
           if (!std::strcmp(v, "middle")) w.verticalAlign_ = 0x1000;
           if (!std::strcmp(v, "bottom")) w.verticalAlign_ = 0x2000;
         }},
        {"align",
         [](CUxWindow& w, const char* v) {
           if (!v) return;
           if (!std::strcmp(v, "left")) w.horizontalAlign_ = 0;
           if (!std::strcmp(v, "center")) w.horizontalAlign_ = 0x4000;
           if (!std::strcmp(v, "right")) w.horizontalAlign_ = 0x8000;
         }},
        {"pos",
         [](CUxWindow& w, const char* v) {
           w.position_ = UxWin::UxPosition::Parse(v);
           if (w.position_.count == 0) return;
           w.sizeMode_ = (w.sizeMode_ & ~0x77u) | CUxWindow::kContentWidth | CUxWindow::kContentHeight;
           for (auto& item : w.position_.items) item.value = w.ScaleByDpi(item.value);
         }},
        {"transparent", Integer(&CUxWindow::transparent_)},
        {"headacceptlbtndownmsg", Integer(&CUxWindow::headerAcceptsButtonDown_)},
        {"userdata", Integer(&CUxWindow::userData_)},
        {"notify", Integer(&CUxWindow::notify_)},
        {"forceupdatestyle", Integer(&CUxWindow::forceUpdateStyle_)},
        {"autofixtextrect", Integer(&CUxWindow::autoFixTextRect_)},
        {"border", Integer(&CUxWindow::border_)},
        {"correctdrawbg", Integer(&CUxWindow::correctDrawBackground_)},
    };
    return *table;
  }
};

int32_t CUxWindow::SetAttribute(const char* name, const char* value, bool loading) {
  if (!name) return kFail;
  const auto found = CUxWindowAttributes::Table().find(name);
  if (found == CUxWindowAttributes::Table().end()) return layout_.SetAttribute(name, value, loading);
  found->second(*this, value);
  if (!loading && std::strcmp(name, "pos") == 0) RequestRelayout();
  return kOk;
}

void CUxWindow::Load(const tinyxml2::XMLElement* element) {
  if (!element) return;
  text_ = UxString::Instance().Substitute(UxAttributeParser::Text(element->GetText()));
  sizeMode_ = 0;
  CUxObject::Load(element);
  const char* show = element->Attribute("show");
  if (show && *show) SetVisible(UxAttributeParser::Integer(show) != 0);
  if (position_.count != 2 && position_.count != 4) ApplySizeAttributes(element);
}

void CUxWindow::ApplySizeAttributes(const tinyxml2::XMLElement* element) {
  const auto dimension = [](const char* value, int32_t& fixed, uint32_t fixedBit, uint32_t fullBit, uint32_t contentBit) {
    const int32_t number = UxAttributeParser::Integer(value);
    if (value && number > 0) {
      fixed = number;
      return fixedBit;
    }
    return value && std::strcmp(value, "full") == 0 ? fullBit : contentBit;
  };
  sizeMode_ |= dimension(element->Attribute("width"), fixedWidth_, kFixedWidth, kFullWidth, kContentWidth);
  sizeMode_ |= dimension(element->Attribute("height"), fixedHeight_, kFixedHeight, kFullHeight, kContentHeight);
  if (sizeMode_ & (kContentWidth | kContentHeight)) {
    SIZE size{rect_.right - rect_.left, rect_.bottom - rect_.top};
    LRESULT result = 0;
    ProcessMessage(nullptr, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&size), result);
    if (sizeMode_ & kContentWidth) rect_.right = rect_.left + size.cx;
    if (sizeMode_ & kContentHeight) rect_.bottom = rect_.top + size.cy;
  }
  if (sizeMode_ & kFixedWidth) rect_.right = rect_.left + fixedWidth_;
  if (sizeMode_ & kFixedHeight) rect_.bottom = rect_.top + fixedHeight_;
  sizeMode_ |= UxAttributeParser::Integer(element->Attribute("float")) != 0 ? kFloating : kInFlow;
}
