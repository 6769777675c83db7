#include "uxwin/dpi/UxDpiSettings.h"

#include <windows.h>

#include <cwchar>

namespace UxWin {

std::vector<double> UxDpiSettings::ParseRates(const std::wstring& text) {
  std::vector<double> rates;
  for (size_t from = 0; from < text.size();) {
    size_t bar = text.find(L'|', from);
    if (bar == std::wstring::npos) bar = text.size();
    const std::wstring part = text.substr(from, bar - from);
    from = bar + 1;
    wchar_t* end = nullptr;
    const double rate = std::wcstod(part.c_str(), &end);
    if (end != part.c_str() && rate > 0) rates.push_back(rate);
  }
  return rates;
}

UxDpiSettings UxDpiSettings::Load(const std::wstring& path) {
  UxDpiSettings settings;
  if (path.empty()) return settings;
  const wchar_t* file = path.c_str();
  settings.switchOn = static_cast<int>(GetPrivateProfileIntW(L"basesetting", L"switch", 0, file));
  settings.debug = static_cast<int>(GetPrivateProfileIntW(L"basesetting", L"debug", 0, file));
  settings.debugDpi = static_cast<int>(GetPrivateProfileIntW(L"basesetting", L"debugdpi", 96, file));
  settings.mode = static_cast<int>(GetPrivateProfileIntW(L"basesetting", L"mode", 2, file));
  wchar_t text[1024] = {};
  GetPrivateProfileStringW(L"basesetting", L"supportrate", L"1.0|1.2|1.5", text, 1024, file);
  const std::vector<double> rates = ParseRates(text);
  if (!rates.empty()) settings.supportRates = rates;
  GetPrivateProfileStringW(L"basesetting", L"supportprocess", L"", text, 1024, file);
  settings.supportProcess = text;
  return settings;
}

std::wstring UxDpiSettings::DefaultPath() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path(buffer, length);
  const size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  return path.substr(0, slash) + L"\\ressrc\\chs\\dpisetting.ini";
}

}  // namespace UxWin
