#include <shlobj.h>

#include "product/HostSystem.h"
#include "utils/ModulePaths.h"

namespace product {


HostSystem& HostSystem::Real() {
  static Win32HostSystem* const real = new Win32HostSystem();
  return *real;
}

std::wstring Win32HostSystem::ExecutablePath() { return qm::ModulePaths::Executable(); }

std::wstring Win32HostSystem::ModulePath() {
  return modulePathOverride_.empty() ? qm::ModulePaths::Of(qm::ModulePaths::OwnModule()) : modulePathOverride_;
}

std::optional<std::wstring> Win32HostSystem::ReadString(HKEY root, const std::wstring& path,
                                                        const std::wstring& value, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return std::nullopt;
  wchar_t buffer[MAX_PATH] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);  // room for a terminator the registry may not store
  DWORD type = 0;
  const LSTATUS status =
      RegQueryValueExW(key, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::wstring text(buffer, size / sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  if (text.empty()) return std::nullopt;
  return text;
}

std::optional<DWORD> Win32HostSystem::ReadDword(HKEY root, const std::wstring& path, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  BYTE buffer[16] = {};
  DWORD size = sizeof(buffer);
  const LSTATUS status = RegQueryValueExW(key, value.c_str(), nullptr, nullptr, buffer, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || size != sizeof(DWORD)) return std::nullopt;
  DWORD number = 0;
  memcpy(&number, buffer, sizeof(number));
  return number;
}

RegistryData Win32HostSystem::QueryValue(HKEY root, const std::wstring& path, const std::wstring& value,
                                         REGSAM view, DWORD capacity) {
  RegistryData data;
  HKEY key = nullptr;
  data.status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key);
  if (data.status != ERROR_SUCCESS) return data;
  data.bytes.resize(capacity);
  DWORD size = capacity;
  data.status = RegQueryValueExW(key, value.c_str(), nullptr, &data.type, data.bytes.data(), &size);
  RegCloseKey(key);
  data.bytes.resize(data.status == ERROR_SUCCESS ? size : 0);
  return data;
}

std::wstring Win32HostSystem::LocalAppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_LOCAL_APPDATA, FALSE)) return {};
  return buffer;
}

}  // namespace product
