#pragma once

#include <windows.h>

// A layered, click-through window around the host that draws the skin "dlg_shadow" as a
// nine-grid, following the host's position, size and visibility.
class CShadowWnd {
 public:
  static constexpr int kShadowSize = 4;

  CShadowWnd() = default;
  ~CShadowWnd() { Destroy(); }
  CShadowWnd(const CShadowWnd&) = delete;
  CShadowWnd& operator=(const CShadowWnd&) = delete;

  // Follows host from now on; its window is made when the host first shows, after the host's
  // first frame (the shadow's own first drawing is slow and never needed sooner).
  bool Create(HWND host);
  void Destroy();
  // Follows the host: shown only while it is visible and not minimised. The shadow is drawn again
  // only when the host's size changes, moved when only its place does: the host repaints at
  // every count-down tick, its shadow never changes.
  void Update();
  void Hide();
  HWND window() const { return window_; }

 private:
  bool MakeWindow();
  void Draw(const RECT& area);

  HWND window_ = nullptr;
  HWND host_ = nullptr;
  RECT drawn_{};  // the area last drawn; empty: nothing drawn since it was created or hidden
  bool shown_ = false;
  bool tried_ = false;  // the window was asked for since Create
};
