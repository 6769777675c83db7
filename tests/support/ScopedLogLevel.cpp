#include "ScopedLogLevel.h"

namespace testing_support {

namespace {
const wchar_t kKey[] = L"Software\\Vendra\\antivirus\\sysopt";
const wchar_t kValue[] = L"LogLevel";
}  // namespace

ScopedLogLevel::ScopedLogLevel(std::optional<DWORD> level) : previous_(Read()) { Write(level); }

ScopedLogLevel::~ScopedLogLevel() { Write(previous_); }

std::optional<DWORD> ScopedLogLevel::Read() {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void ScopedLogLevel::Write(std::optional<DWORD> level) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  if (level) {
    const DWORD value = *level;
    RegSetValueExW(key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  } else {
    RegDeleteValueW(key, kValue);
  }
  RegCloseKey(key);
}

}  // namespace testing_support
