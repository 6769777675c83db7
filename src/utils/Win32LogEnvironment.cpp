#include "utils/Win32LogEnvironment.h"

namespace zlog {

const wchar_t* const Win32LogEnvironment::kLogLevelKey = L"Software\\Vendra\\antivirus\\sysopt";
const wchar_t* const Win32LogEnvironment::kLogLevelValue = L"LogLevel";

namespace {

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The file name of the image this code lives in: the module, not the host.
std::wstring OwnModuleFileName() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&OwnModuleFileName), &self)) {
    return {};
  }
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(self, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return FileNameOf(std::wstring(buffer, length));
}

}  // namespace

std::optional<DWORD> Win32LogEnvironment::ReadLogLevel() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLogLevelKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LSTATUS status =
      RegQueryValueExW(key, kLogLevelValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::wstring Win32LogEnvironment::ComputeLogPath() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::wstring exePath(buffer, length);
  const size_t slash = exePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};

  std::wstring path = exePath.substr(0, slash) + L"\\log\\";
  if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};

  const std::wstring exeName = exePath.substr(slash + 1);
  const size_t dot = exeName.find_last_of(L'.');
  path += dot == std::wstring::npos ? exeName : exeName.substr(0, dot);
  path += L"." + OwnModuleFileName() + L".log";
  return path;
}

}  // namespace zlog
