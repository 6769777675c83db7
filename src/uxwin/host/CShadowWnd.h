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

  bool Create(HWND host);
  void Destroy();
  // Follows the host: shown only while it is visible and not minimised. The shadow is drawn again
  // only when the host's size changes, moved when only its place does: the host repaints at
  // every count-down tick, its shadow never changes.
  void Update();
  void Hide();
  HWND window() const { return window_; }

 private:
  void Draw(const RECT& area);

  HWND window_ = nullptr;
  HWND host_ = nullptr;
  RECT drawn_{};  // the area last drawn; empty: nothing drawn since it was created or hidden
  bool shown_ = false;
};
