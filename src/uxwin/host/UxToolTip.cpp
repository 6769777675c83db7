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
  Destroy();
  owner_ = owner;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) return false;
  TTTOOLINFOW tool = ToolFor(owner, const_cast<wchar_t*>(L""));
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
  if (!window_ || text == text_) return;
  text_ = text;
  TTTOOLINFOW tool = ToolFor(owner_, text_.data());
  SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}
