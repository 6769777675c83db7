#include "DemoKeys.h"

#include <cwctype>
#include <utility>

namespace demo {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring Trim(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return L"";
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

bool DemoKeys::ParseOne(std::wstring name, Key& key) {
  const std::pair<const wchar_t*, WORD> modifiers[] = {{L"shift+", VK_SHIFT}, {L"alt+", VK_MENU}, {L"ctrl+", VK_CONTROL}};
  name = Lower(Trim(name));
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, code] : modifiers) {
      const std::wstring start = prefix;
      if (name.compare(0, start.size(), start) == 0) {
        key.modifiers.push_back(code);
        name = name.substr(start.size());
        found = true;
      }
    }
  }
  const std::pair<const wchar_t*, WORD> names[] = {{L"tab", VK_TAB},       {L"enter", VK_RETURN}, {L"return", VK_RETURN},
                                                   {L"space", VK_SPACE},   {L"esc", VK_ESCAPE},   {L"escape", VK_ESCAPE},
                                                   {L"f4", VK_F4}};
  for (const auto& [text, code] : names) {
    if (name == text) return key.key = code, true;
  }
  return false;
}

bool DemoKeys::Parse(const std::wstring& text, std::vector<Key>& keys) {
  keys.clear();
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(L',', start);
    Key key;
    if (!ParseOne(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start), key)) {
      return false;
    }
    keys.push_back(std::move(key));
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  return !keys.empty();
}

void DemoKeys::Send(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

void DemoKeys::Press(HWND window, const std::vector<Key>& keys) {
  // Keys go to the foreground window: the pop-up brings itself there, but under load it may not be yet.
  for (int tries = 0; tries < 50 && IsWindow(window) && GetForegroundWindow() != window; ++tries) {
    if (tries == 20) SetForegroundWindow(window);
    Sleep(100);
  }
  for (const Key& key : keys) {
    if (!IsWindowVisible(window)) return;  // an earlier key closed it
    for (const WORD modifier : key.modifiers) Send(modifier, true);
    Send(key.key, true);
    Sleep(50);
    Send(key.key, false);
    for (auto modifier = key.modifiers.rbegin(); modifier != key.modifiers.rend(); ++modifier) Send(*modifier, false);
    Sleep(250);
  }
}

}  // namespace demo
