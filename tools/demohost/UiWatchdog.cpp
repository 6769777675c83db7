#include "UiWatchdog.h"

namespace demo {

namespace {

const wchar_t kClassName[] = L"demohost_ui_watchdog";
constexpr UINT kProbe = WM_APP + 0x57;
constexpr DWORD kInterval = 10;
// A UI thread that does not answer for this long is hung; the probe gives up and says so.
constexpr UINT kGiveUp = 20000;

}  // namespace

UiWatchdog::UiWatchdog(std::wstring popUpTitle) : popUpTitle_(std::move(popUpTitle)) {}

UiWatchdog::~UiWatchdog() {
  Stop();
  if (window_) DestroyWindow(window_);
  if (done_) CloseHandle(done_);
}

LRESULT CALLBACK UiWatchdog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The answer is the phase the UI thread is in when it answers.
  if (message == kProbe) return reinterpret_cast<UiWatchdog*>(GetWindowLongPtrW(window, GWLP_USERDATA))->phase_;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool UiWatchdog::Start() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &UiWatchdog::WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // a second watchdog finds the class registered
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!done_) return false;
  stop_ = false;
  thread_ = std::thread([this] {
    Probe();
    SetEvent(done_);
  });
  return true;
}

void UiWatchdog::Stop() {
  stop_ = true;
  if (!thread_.joinable()) return;
  // The probing thread may be waiting for this thread's answer. (std::thread's native handle is a
  // pthread id with the posix thread model, not a handle to wait on.)
  for (;;) {
    const DWORD waited = MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_FAILED) break;
    PumpFor(0);
  }
  thread_.join();
}

bool UiWatchdog::PopUpVisible() const {
  HWND popUp = FindWindowW(nullptr, popUpTitle_.c_str());
  return popUp && IsWindowVisible(popUp) && GetWindowThreadProcessId(popUp, nullptr) == uiThread_;
}

void UiWatchdog::Probe() {
  while (!stop_) {
    const bool inLoop = PopUpVisible();
    const int phase = phase_;
    const ULONGLONG sent = GetTickCount64();
    DWORD_PTR answer = static_cast<DWORD_PTR>(phase);
    if (!SendMessageTimeoutW(window_, kProbe, 0, 0, SMTO_NORMAL, kGiveUp, &answer)) answer = phase_;
    const unsigned long waited = static_cast<unsigned long>(GetTickCount64() - sent);
    // A wait that runs into the pop-up's loop or out of it was spent outside it.
    const bool inside = inLoop && PopUpVisible();
    const int ended = answer < kPhaseCount ? static_cast<int>(answer) : phase;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (inside) {
        if (waited > inside_) inside_ = waited;
      } else {
        for (int each : {phase, ended}) {
          if (waited > outside_[each]) outside_[each] = waited;
        }
      }
    }
    Sleep(kInterval);
  }
}

unsigned long UiWatchdog::LongestOutside() const {
  std::lock_guard<std::mutex> lock(mutex_);
  unsigned long longest = 0;
  for (int phase = 0; phase < kPhaseCount; ++phase) {
    if (phase != kUninitialize && phase != kHost && outside_[phase] > longest) longest = outside_[phase];
  }
  return longest;
}

const wchar_t* UiWatchdog::PhaseName(Phase phase) {
  switch (phase) {
    case kInitialize: return L"Initialize";
    case kWaiting: return L"waiting for the refresh";
    case kExitScene: return L"exit scene";
    case kUninitialize: return L"Uninitialize";
    default: return L"host";
  }
}

void UiWatchdog::PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

}  // namespace demo
