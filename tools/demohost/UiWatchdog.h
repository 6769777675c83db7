#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace demo {

// Measures how long the UI thread takes to answer: a second thread sends a message to a
// message-only window of the UI thread every ~10 ms and keeps the longest wait per phase of the
// session. A wait that starts while the pop-up's window is visible belongs to the pop-up's own
// loop, which pumps messages; everything else is the host's UI thread held up.
class UiWatchdog {
 public:
  enum Phase { kInitialize, kWaiting, kExitScene, kUninitialize, kHost, kPhaseCount };

  explicit UiWatchdog(std::wstring popUpTitle);  // on the UI thread
  ~UiWatchdog();
  UiWatchdog(const UiWatchdog&) = delete;
  UiWatchdog& operator=(const UiWatchdog&) = delete;

  bool Start();
  // Pumps the UI thread's messages until the probing thread has ended.
  void Stop();
  void SetPhase(Phase phase) { phase_ = phase; }

  // Outside the pop-up's loop while the module had the thread (Uninitialize, bounded on its own, excluded).
  unsigned long LongestOutside() const;
  unsigned long LongestOutside(Phase phase) const { return outside_[phase]; }
  unsigned long LongestInsideLoop() const { return inside_; }
  static const wchar_t* PhaseName(Phase phase);

  // Waits up to milliseconds while answering sent and posted messages, as an idle UI thread does.
  static void PumpFor(DWORD milliseconds);

 private:
  void Probe();
  bool PopUpVisible() const;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::wstring popUpTitle_;
  DWORD uiThread_ = GetCurrentThreadId();
  HWND window_ = nullptr;
  HANDLE done_ = nullptr;  // set when the probing thread has finished
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> phase_{kHost};
  mutable std::mutex mutex_;
  unsigned long outside_[kPhaseCount] = {};
  unsigned long inside_ = 0;
};

}  // namespace demo
