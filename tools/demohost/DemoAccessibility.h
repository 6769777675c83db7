#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace demo {

// What a screen reader sees of a window: the tree AccessibleObjectFromWindow gives for its client
// area, one line per node with its role, name, state and place on the screen, and the default
// action of those that have one.
class DemoAccessibility {
 public:
  // Lines starting "demo: accessibility"; a line saying what failed when the window answers nothing.
  static std::wstring Describe(HWND window);

 private:
  static std::wstring Node(IAccessible& object, long child);
  static std::wstring StateText(long state);
};

}  // namespace demo
