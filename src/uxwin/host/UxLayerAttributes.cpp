#include "uxwin/host/UxLayerAttributes.h"

#include <tinyxml2.h>

#include "uxwin/base/UxAttributeParser.h"

using UxWin::UxAttributeParser;

namespace {

int IntegerOf(const tinyxml2::XMLElement& element, const char* name) {
  return UxAttributeParser::Integer(element.Attribute(name));
}

}  // namespace

UxLayerAttributes UxLayerAttributes::Parse(const tinyxml2::XMLElement& root, bool scaling, double factor) {
  UxLayerAttributes layer;
  layer.frameSkin = root.Attribute("frame") ? root.Attribute("frame") : "";
  layer.title = UxAttributeParser::Text(root.Attribute("title"));
  layer.focusMark = root.Attribute("focusmark") ? root.Attribute("focusmark") : "";
  layer.accNameId = IntegerOf(root, "accname");
  layer.width = IntegerOf(root, "width");
  layer.height = IntegerOf(root, "height");
  layer.dpiAware = IntegerOf(root, "dpiaware") != 0;
  layer.minWidth = IntegerOf(root, "min_width");
  layer.minHeight = IntegerOf(root, "min_height");
  if (scaling && layer.dpiAware) {
    layer.width = static_cast<int>(layer.width * factor);
    layer.height = static_cast<int>(layer.height * factor);
  }
  if (IntegerOf(root, "appwin")) layer.exStyle |= WS_EX_APPWINDOW;
  if (IntegerOf(root, "layered")) layer.exStyle |= WS_EX_LAYERED;
  if (IntegerOf(root, "child")) {
    layer.exStyle &= ~static_cast<DWORD>(WS_EX_LAYERED);
    layer.style = (layer.style & ~static_cast<DWORD>(WS_POPUP | WS_SYSMENU)) | 0x46000000;
    return layer;
  }
  layer.holdSize = IntegerOf(root, "holdsize") != 0;
  if (IntegerOf(root, "resize")) {
    layer.style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    layer.resizable = true;
  } else {
    layer.style = (layer.style & ~static_cast<DWORD>(WS_MAXIMIZEBOX)) | WS_MINIMIZEBOX;
  }
  layer.exStyle |= IntegerOf(root, "noborder") ? (WS_EX_TOPMOST | WS_EX_TOOLWINDOW) : (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
  if (IntegerOf(root, "nomove")) layer.movable = false;
  return layer;
}
