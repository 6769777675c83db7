#include "utils/Win32LogEnvironment.h"

#include "utils/ModulePaths.h"

namespace zlog {

const wchar_t* const Win32LogEnvironment::kLogLevelKey = L"Software\\Vendra\\antivirus\\sysopt";
const wchar_t* const Win32LogEnvironment::kLogLevelValue = L"LogLevel";


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
  const std::wstring exePath = qm::ModulePaths::Executable();
  if (exePath.empty()) return {};
  const size_t slash = exePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};

  std::wstring path = exePath.substr(0, slash) + L"\\log\\";
  if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};

  const std::wstring exeName = exePath.substr(slash + 1);
  const size_t dot = exeName.find_last_of(L'.');
  path += dot == std::wstring::npos ? exeName : exeName.substr(0, dot);
  path += L"." + qm::ModulePaths::FileName(qm::ModulePaths::Of(qm::ModulePaths::OwnModule())) + L".log";
  return path;
}

}  // namespace zlog
