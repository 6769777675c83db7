#pragma once

#include <windows.h>

#include <string>

// The host's one tool tip: a "tooltips_class32" window with a single tool over the whole client
// area, whose text follows the hovered control. The window is made with the first text.
class UxToolTip {
 public:
  UxToolTip() = default;
  ~UxToolTip() { Destroy(); }
  UxToolTip(const UxToolTip&) = delete;
  UxToolTip& operator=(const UxToolTip&) = delete;

  bool Create(HWND owner);
  void Destroy();
  void Relay(const MSG& message);
  void SetText(const std::wstring& text);
  HWND window() const { return window_; }

 private:
  bool MakeWindow();

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  std::wstring text_;
};
