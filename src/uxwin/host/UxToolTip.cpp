#include "uxwin/host/UxToolTip.h"

#include <commctrl.h>

namespace {

TTTOOLINFOW ToolFor(HWND owner, wchar_t* text) {
  TTTOOLINFOW tool{};
  // The size of the first common-controls version: accepted everywhere.
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = 0;  // the host relays every mouse message itself
  tool.hwnd = owner;
  tool.uId = 0;
  GetClientRect(owner, &tool.rect);
  tool.lpszText = text;
  return tool;
}

}  // namespace

bool UxToolTip::Create(HWND owner) {
  // The window waits for the first text: most hosts' controls have none (the pop-up's do not),
  // and the common-controls window costs a millisecond of every show.
  Destroy();
  owner_ = owner;
  text_.clear();
  return owner != nullptr;
}

bool UxToolTip::MakeWindow() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) return false;
  TTTOOLINFOW tool = ToolFor(owner_, const_cast<wchar_t*>(L""));
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(window_, TTM_ACTIVATE, TRUE, 0);
  SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 5000);
  return true;
}

void UxToolTip::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void UxToolTip::Relay(const MSG& message) {
  if (window_) SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void UxToolTip::SetText(const std::wstring& text) {
  if (text == text_) return;
  if (!window_ && (!owner_ || !IsWindow(owner_) || !MakeWindow())) return;
  text_ = text;
  TTTOOLINFOW tool = ToolFor(owner_, text_.data());
  SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}
