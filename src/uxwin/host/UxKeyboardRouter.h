#pragma once

#include <windows.h>

#include <string>

#include "uxwin/object/UxWindowMap.h"

class CUxWindow;
class IUxHostSurface;
class UxCanvas;

// The host window's keyboard: which windowless control has the focus, Tab and Shift+Tab through
// the tab stops in layout order, Enter and Space as a click on the focused control, Esc and the
// window's close command (Alt+F4) as a click on the cancel control. The focus mark follows the
// Windows rule for focus cues: hidden when the window opens, shown once the keyboard is used (or
// WM_UPDATEUISTATE clears UISF_HIDEFOCUS), so a window only ever clicked looks as it always did.
class UxKeyboardRouter {
 public:
  explicit UxKeyboardRouter(IUxHostSurface& host) : host_(host) {}

  // True when the message was handled; result is the window procedure's answer.
  bool Handle(UINT message, WPARAM wParam, LPARAM, LRESULT& result);
  // A layout was loaded or the window created: the default control takes the focus, cues hidden.
  void Reset();
  // Moves the focus to a control (null: none) and tells accessibility clients.
  void SetFocusTo(CUxWindow* control);
  // The window got the keyboard focus: accessibility clients learn which control has it.
  void AnnounceFocus();
  // Draws the mark around the focused control when cues are shown.
  void PaintMark(UxCanvas& canvas);

  CUxWindow* focused() const;
  bool cues_shown() const { return cuesShown_; }
  void set_mark_style(std::string style) { markStyle_ = std::move(style); }

 private:
  bool OnKeyDown(WPARAM key, bool repeated);
  void MoveFocus(bool backwards);
  bool ClickCancel();
  void ShowCues(bool shown);
  void InvalidateMark(CUxWindow* control);
  RECT MarkRect(CUxWindow& control);
  CUxWindow* Resolve(HUXWND handle) const;

  IUxHostSurface& host_;
  HUXWND focused_ = 0;
  bool cuesShown_ = false;
  std::string markStyle_;
};
