#pragma once

#include <windows.h>

#include <vector>

#include "uxwin/object/UxWindowMap.h"

class CUxWindow;
class UxToolTip;

// What the mouse router and the modal loop need of the real window they serve. The host window
// implements it, so neither of them depends on the host window's class.
class IUxHostSurface {
 public:
  virtual HWND hwnd() const = 0;
  virtual bool is_child() const = 0;
  virtual bool is_movable() const = 0;
  virtual bool is_resizable() const = 0;
  virtual bool loop_exit() const = 0;

  // Creates the window (0 styles: the layout's) or gives null; Destroy takes it down.
  virtual HWND Create(HWND parent, DWORD style = 0, DWORD exStyle = 0) = 0;
  virtual void Destroy() = 0;

  virtual HUXWND HitTest(POINT point) = 0;
  virtual UINT SizingHitCode(POINT point) const = 0;
  virtual void RedrawControl(CUxWindow& control) = 0;
  virtual void Notify(UINT code, CUxWindow& control) = 0;
  virtual UxToolTip& tool_tip() = 0;
  // What a click on the control does (its link, else its command): mouse, keyboard and
  // accessibility clients all come through here.
  virtual void ActivateControl(CUxWindow& control) = 0;
  virtual void InvalidateArea(const RECT&) {}
  // Every control of the loaded layout, depth first in document order.
  virtual std::vector<CUxWindow*> ControlsInOrder() { return {}; }
  // The accessible child id of a control (0: it is not in the accessible tree).
  virtual long AccessibleChildId(CUxWindow&) { return 0; }

 protected:
  ~IUxHostSurface() = default;
};
