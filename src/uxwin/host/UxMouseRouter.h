#pragma once

#include <windows.h>

#include "uxwin/object/UxWindowMap.h"

class CUxWindow;
class IUxHostSurface;

// Routes the host window's mouse to its windowless controls: hover and leave, press with capture,
// release as a click (or a link), double and right clicks, window drags from passive areas, and
// the cursor. Controls are remembered by handle, so a destroyed one is never touched.
class UxMouseRouter {
 public:
  explicit UxMouseRouter(IUxHostSurface& host) : host_(host) {}

  // True when the message was handled; result is the window procedure's answer.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool SetCursorFor(UINT hitCode);
  // Forgets hover and press (a new layout was loaded).
  void Reset();

  HUXWND hovered() const { return hovered_; }
  HUXWND pushed() const { return pushed_; }
  void set_hover_tracking(bool on) { hoverTracking_ = on; }

 private:
  void OnMouseMove(POINT point, WPARAM keys, LPARAM lParam);
  void OnLeftDown(POINT point, WPARAM keys, LPARAM lParam);
  void OnLeftUp(POINT point, WPARAM keys, LPARAM lParam);
  void OnDoubleClick(POINT point, WPARAM keys, LPARAM lParam);
  void OnRightDown(POINT point, WPARAM keys, LPARAM lParam);
  void OnRightUp(POINT point, WPARAM keys, LPARAM lParam);
  void OnMouseLeave();
  void ChangeHover(CUxWindow* now);
  void DropHover();
  bool StartsDrag(CUxWindow* control) const;
  void TrackLeave();
  static void Forward(CUxWindow& control, UINT message, WPARAM wParam, LPARAM lParam);
  CUxWindow* Resolve(HUXWND handle) const;

  IUxHostSurface& host_;
  HUXWND hovered_ = 0;
  HUXWND pushed_ = 0;
  HUXWND rightPushed_ = 0;
  bool capture_ = false;
  bool leaveTracking_ = false;
  bool hoverTracking_ = true;
};
