#include "strategy/PopLocalState.h"

#include <windows.h>

#include <cwchar>

#include "strategy/PopFiles.h"
#include "utils/Log.h"
#include "utils/ZIniWrapEx.h"

namespace strategy {

std::wstring PopLocalState::StateFilePath(const std::wstring& utilFolder) { return utilFolder + kStateFile; }

// Seconds as a signed 32-bit number, as the state file has always held them.
std::wstring PopLocalState::ShowTimeText(int64_t seconds) { return std::to_wstring(static_cast<int32_t>(seconds)); }

std::wstring PopLocalState::LastShowTimeText(const std::wstring& utilFolder) {
  qm::ZIniWrapEx state;
  if (!state.Load(StateFilePath(utilFolder))) return {};
  const std::wstring* value = state.Find(kStateSection, kLastShowTimeKey);
  return value ? *value : std::wstring();
}

bool PopLocalState::RecordShowTime(const std::wstring& utilFolder, int64_t seconds) {
  const std::wstring path = StateFilePath(utilFolder);
  qm::ZIniWrapEx state;
  state.Load(path);
  state.Set(kStateSection, kLastShowTimeKey, ShowTimeText(seconds));
  if (state.Save(path)) return true;
  ZLOG(ERROR) << L"last show time not saved to " << path;
  return false;
}

std::wstring PopLocalState::LoginRemindFile(const std::wstring& localConfigFolder) {
  return localConfigFolder + L"config.ini";
}

std::wstring PopLocalState::PdfPopFile(const std::wstring& localConfigFolder) {
  return localConfigFolder + L"pdfpop\\general_local_cfg.ini";
}

long PopLocalState::LoginRemindPopTime(const std::wstring& localConfigFolder) {
  return ReadProfileTime(LoginRemindFile(localConfigFolder), L"login_remind", L"pop_time");
}

long PopLocalState::PdfPopTime(const std::wstring& localConfigFolder) {
  return ReadProfileTime(PdfPopFile(localConfigFolder), L"General", L"lastPopTime");
}

long PopLocalState::ReadProfileTime(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t text[260] = {};
  GetPrivateProfileStringW(section, key, L"0", text, 260, file.c_str());
  return _wtol(text);
}

}  // namespace strategy
