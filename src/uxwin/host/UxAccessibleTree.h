#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "uxwin/object/UxWindowMap.h"

class CUxWindow;

// What accessibility clients see of a layout: a flat list of nodes in layout order. Plain
// containers are looked through; a container marked "accgroup" is one static text read as a
// sentence; a control is a push button (a tab stop or clickable by nature), a graphic (a picture
// without text) or a static text. Hidden controls are left out, except tab stops, which stay with
// the invisible state; decorations with neither text, name nor picture are left out.
class UxAccessibleTree {
 public:
  struct Node {
    HUXWND handle = 0;
    long role = 0;  // ROLE_SYSTEM_*
    std::wstring name;
  };

  // The nodes under the section roots (header, body, footer), in order; child id = index + 1.
  static std::vector<Node> Build(const std::vector<CUxWindow*>& roots);
  // The control's accessible name: its "accname" string ("{}" stands for its text), else its text;
  // a group's is its string with "{}" for its descendants' names, else those names.
  static std::wstring NameOf(CUxWindow& control);
  // A string of the string document by id with "{}" replaced by text; text alone without a string.
  static std::wstring Format(int stringId, const std::wstring& text);

 private:
  static void Collect(CUxWindow& control, std::vector<Node>& nodes);
  static void JoinNames(CUxWindow& control, std::wstring& sentence);
  static long RoleOf(CUxWindow& control);
};
