#pragma once

#include <windows.h>

#include <string>

namespace tinyxml2 {
class XMLElement;
}

// The window a layout's root ("layer") asks for: size, styles, title, frame skin and behaviour.
struct UxLayerAttributes {
  int width = 0;
  int height = 0;
  int minWidth = 0;
  int minHeight = 0;
  DWORD style = 0x80090000;
  DWORD exStyle = 0x10000;
  std::wstring title;
  std::string frameSkin;
  std::string focusMark;  // "focusmark": the style class of the keyboard focus mark
  int accNameId = 0;      // "accname": string id of the window's accessible name (else the title)
  bool dpiAware = false;
  bool movable = true;
  bool resizable = false;
  bool holdSize = false;

  // factor: the DPI factor when scaling is on (width and height of a DPI-aware layout grow by it).
  static UxLayerAttributes Parse(const tinyxml2::XMLElement& root, bool scaling, double factor);
};
