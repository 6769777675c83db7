// The attribute grammar of CUxWindow: one table, name -> how the value lands in the window.
// Names it does not hold go to the layout parameters.
#include <tinyxml2.h>

#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/object/CUxWindow.h"
#include "uxwin/style/UxString.h"

using UxWin::UxAttributeParser;

class CUxWindowAttributes {
 public:
  using Table = UxWin::UxAttributeTable<CUxWindow>;

  static const Table& Get() {
    static const auto* const table = new Table{
        {"class", Table::String(&CUxWindow::className_)},
        {"id", Table::Integer(&CUxWindow::id_)},
        {"alphatxt", Table::Integer(&CUxWindow::alphaText_)},
        {"crbg", Table::Colour(&CUxWindow::crBg_)},
        {"crtext", Table::Colour(&CUxWindow::crText_)},
        {"font", Table::FontCode(&CUxWindow::fontCode_)},
        {"href", Table::Text(&CUxWindow::link_)},
        {"tip", Table::Text(&CUxWindow::toolTip_)},
        {"valign",
         [](CUxWindow& w, const char* v, bool) {
           const int word = UxAttributeParser::Keyword(v, {"top", "middle", "bottom"});
           if (word >= 0) w.verticalAlign_ = static_cast<uint32_t>(word) * 0x1000;
           return CUxObject::kOk;
         }},
        {"align",
         [](CUxWindow& w, const char* v, bool) {
           const int word = UxAttributeParser::Keyword(v, {"left", "center", "right"});
           if (word >= 0) w.horizontalAlign_ = static_cast<uint32_t>(word) * 0x4000;
           return CUxObject::kOk;
         }},
        {"pos", &CUxWindowAttributes::Position},
        {"transparent", Table::Integer(&CUxWindow::transparent_)},
        {"headacceptlbtndownmsg", Table::Integer(&CUxWindow::headerAcceptsButtonDown_)},
        {"userdata", Table::Integer(&CUxWindow::userData_)},
        {"notify", Table::Integer(&CUxWindow::notify_)},
        {"forceupdatestyle", Table::Integer(&CUxWindow::forceUpdateStyle_)},
        {"autofixtextrect", Table::Integer(&CUxWindow::autoFixTextRect_)},
        {"border", Table::Integer(&CUxWindow::border_)},
        {"correctdrawbg", Table::Integer(&CUxWindow::correctDrawBackground_)},
        {"tabstop", Table::Integer(&CUxWindow::tabStop_)},
        {"cancel", Table::Integer(&CUxWindow::cancel_)},
        {"defaultfocus", Table::Integer(&CUxWindow::defaultFocus_)},
        {"accname", Table::Integer(&CUxWindow::accNameId_)},
        {"accgroup", Table::Integer(&CUxWindow::accGroup_)},
    };
    return *table;
  }

 private:
  static int32_t Position(CUxWindow& w, const char* v, bool loading) {
    w.position_ = UxWin::UxPosition::Parse(v);
    if (w.position_.count != 0) {
      w.sizeMode_ = (w.sizeMode_ & ~0x77u) | CUxWindow::kContentWidth | CUxWindow::kContentHeight;
      for (auto& item : w.position_.items) item.value = w.ScaleByDpi(item.value);
    }
    if (!loading) w.RequestRelayout();
    return CUxObject::kOk;
  }
};

int32_t CUxWindow::SetAttribute(const char* name, const char* value, bool loading) {
  const int32_t own = CUxWindowAttributes::Get().Apply(*this, name, value, loading);
  if (own >= 0 || !name) return own;
  return layout_.SetAttribute(name, value, loading);
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
    return UxAttributeParser::Keyword(value, {"full"}) == 0 ? fullBit : contentBit;
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
