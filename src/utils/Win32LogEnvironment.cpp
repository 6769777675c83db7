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

std::wstring Win32LogEnvironment::LogPathFor(const std::wstring& exePath, const std::wstring& moduleFileName) {
  // Without either name the path would be "log\<stem>..log"; empty makes the next line try again.
  if (exePath.empty() || moduleFileName.empty()) return {};
  const size_t slash = exePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  const std::wstring exeName = exePath.substr(slash + 1);
  const size_t dot = exeName.find_last_of(L'.');
  return exePath.substr(0, slash) + L"\\log\\" + (dot == std::wstring::npos ? exeName : exeName.substr(0, dot)) +
         L"." + moduleFileName + L".log";
}

std::wstring Win32LogEnvironment::ComputeLogPath() {
  const std::wstring path = LogPathFor(qm::ModulePaths::Executable(),
                                       qm::ModulePaths::FileName(qm::ModulePaths::Of(qm::ModulePaths::OwnModule())));
  if (path.empty()) return {};
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
  return path;
}

}  // namespace zlog
