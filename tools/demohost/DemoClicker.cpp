#include "DemoClicker.h"

#include "utils/FileUtil.h"
#include "uxwin/skin/UxCanvas.h"

namespace demo {

namespace {

// The buttons' centres in the pop-up's layout (client pixels at factor 1.0).
constexpr POINT kCloseCentre{480, 40};
constexpr POINT kConfirmCentre{260, 280};

void Button(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

DemoClicker::DemoClicker(Target target, std::wstring screenshotPath, std::wstring windowTitle)
    : target_(target), screenshotPath_(std::move(screenshotPath)), windowTitle_(std::move(windowTitle)) {}

DemoClicker::~DemoClicker() { Finish(); }

void DemoClicker::Finish() {
  finished_ = true;
  if (thread_.joinable()) thread_.join();
}

bool DemoClicker::ParseTarget(const std::wstring& text, Target& target) {
  if (text == L"close") return target = Target::kClose, true;
  if (text == L"confirm") return target = Target::kConfirm, true;
  if (text == L"none") return target = Target::kNone, true;
  return false;
}

void DemoClicker::Start() {
  if (target_ == Target::kNone && screenshotPath_.empty() && !onShown_ && keys_.empty()) return;
  thread_ = std::thread([this] { Run(); });
}

HWND DemoClicker::WaitForWindow(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end && !finished_) {
    HWND window = FindWindowW(nullptr, windowTitle_.c_str());
    if (window && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

void DemoClicker::Run() {
  HWND window = WaitForWindow(60000);
  if (!window) return;
  sawWindow_ = true;
  Sleep(pause_);
  if (onShown_) onShown_(window);
  if (!screenshotPath_.empty()) savedScreenshot_ = SaveScreenshot(window);
  if (!keys_.empty()) return DemoKeys::Press(window, keys_);
  if (target_ == Target::kConfirm) Click(window, kConfirmCentre);
  if (target_ != Target::kClose) return;
  // Under load the display server can still route the first click to the window beneath, and the
  // modal pop-up then waits for ever. Close is safe to press again, as a person would when nothing
  // happens; confirm is not (a second purchase page), so it gets one press.
  for (int attempt = 0; attempt < 3; ++attempt) {
    Click(window, kCloseCentre);
    if (WaitUntilClosed(window, 3000)) return;
  }
}

bool DemoClicker::WaitUntilClosed(HWND window, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!finished_ && IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
  return true;
}

bool DemoClicker::SaveScreenshot(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return false;
  UxCanvas canvas(client.right, client.bottom);
  if (!canvas.IsValid()) return false;
  // The window copies its own picture, per-pixel alpha included (a layered window is not in the
  // screen's DC under every display server).
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  GdiFlush();
  qm::FileUtil::CreateParentFolders(screenshotPath_);
  return canvas.SavePng(screenshotPath_);
}

bool DemoClicker::WaitUntilUnderPoint(HWND window, POINT screenPoint, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!finished_ && IsWindowVisible(window)) {
    if (GetAncestor(WindowFromPoint(screenPoint), GA_ROOT) == window) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
  return false;
}

void DemoClicker::Click(HWND window, POINT clientPoint) {
  ClientToScreen(window, &clientPoint);
  // A layered window takes the mouse only where it has drawn: under load its first frame can come
  // late, and a click before it would go to the window beneath and be lost. After the wait it
  // clicks regardless, as a person would.
  WaitUntilUnderPoint(window, clientPoint, 5000);
  SetCursorPos(clientPoint.x, clientPoint.y);
  Sleep(100);
  Button(MOUSEEVENTF_LEFTDOWN);
  Sleep(100);
  Button(MOUSEEVENTF_LEFTUP);
}

}  // namespace demo
