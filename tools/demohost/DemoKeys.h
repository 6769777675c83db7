#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace demo {

// The keys of --keys ("Tab,Enter", "Shift+Tab", "Esc", "Alt+F4"), pressed with real keyboard
// input into the foreground window, the way a person at the keyboard would.
class DemoKeys {
 public:
  struct Key {
    WORD key = 0;
    std::vector<WORD> modifiers;
  };

  // False for an empty list or a key it does not know.
  static bool Parse(const std::wstring& text, std::vector<Key>& keys);
  // Makes the window the foreground one if it is not yet, then presses each key in turn.
  static void Press(HWND window, const std::vector<Key>& keys);

 private:
  static bool ParseOne(std::wstring name, Key& key);
  static void Send(WORD key, bool down);
};

}  // namespace demo
