#pragma once

#include <windows.h>

class IUxHostSurface;

// Runs a host window as a modal dialog over the thread's active window: disables that owner,
// centres and raises the window, pumps messages until the host asks to stop (or the window is
// gone, or a quit waits), then hides and destroys it and gives the owner back its activation.
class UxModalLoop {
 public:
  explicit UxModalLoop(IUxHostSurface& host) : host_(host) {}
  // False when the window could not be created.
  bool Run();

  static void CentreOver(HWND window, HWND owner);
  static void BringToFront(HWND window);

 private:
  void Pump();
  bool ShouldStop() const;

  IUxHostSurface& host_;
};
