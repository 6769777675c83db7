#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "DemoKeys.h"

namespace demo {

// Plays the user for the demo: waits for the pop-up's window, takes a screenshot of it, and
// clicks one of its buttons with real mouse input, or presses keys, the way a person would.
class DemoClicker {
 public:
  enum class Target { kNone, kClose, kConfirm };

  DemoClicker(Target target, std::wstring screenshotPath, std::wstring windowTitle);
  ~DemoClicker();
  DemoClicker(const DemoClicker&) = delete;
  DemoClicker& operator=(const DemoClicker&) = delete;

  void Start();
  // How long the window shows before the click (default one second: painted, the count-down ticked).
  void set_pause(DWORD milliseconds) { pause_ = milliseconds; }
  // Runs on the clicker's thread once the window has shown for the pause, before the screenshot and the click.
  void set_on_shown(std::function<void(HWND)> onShown) { onShown_ = std::move(onShown); }
  // Keys to press instead of the click.
  void set_keys(std::vector<DemoKeys::Key> keys) { keys_ = std::move(keys); }
  // The exit scene is over: stop waiting for a window that will not come, and wait for the thread.
  void Finish();
  bool saw_window() const { return sawWindow_; }
  bool saved_screenshot() const { return savedScreenshot_; }

  static bool ParseTarget(const std::wstring& text, Target& target);

 private:
  void Run();
  HWND WaitForWindow(DWORD milliseconds);
  bool SaveScreenshot(HWND window);
  // Whether the window is the one under the screen point within the time (it draws, it is on top).
  bool WaitUntilClosed(HWND window, DWORD milliseconds);
  bool WaitUntilUnderPoint(HWND window, POINT screenPoint, DWORD milliseconds);
  void Click(HWND window, POINT clientPoint);

  Target target_;
  std::wstring screenshotPath_;
  std::wstring windowTitle_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
  bool sawWindow_ = false;
  bool savedScreenshot_ = false;
  DWORD pause_ = 1000;
  std::function<void(HWND)> onShown_;
  std::vector<DemoKeys::Key> keys_;
};

}  // namespace demo
