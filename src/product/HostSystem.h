#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace product {

// One registry query as the system answered it.
struct RegistryData {
  LSTATUS status = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// What host detection and product configuration read from the machine besides files: the two
// image paths, the registry and the user's local application-data folder.
class HostSystem {
 public:
  virtual ~HostSystem() = default;
  virtual std::wstring ExecutablePath() = 0;  // the host process's executable
  virtual std::wstring ModulePath() = 0;      // this module's own file
  // A REG_SZ or REG_EXPAND_SZ value (not expanded, at most 259 characters); nothing when
  // missing, of another type or empty.
  virtual std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const std::wstring& value,
                                                 REGSAM view) = 0;
  // A value of exactly four bytes; nothing otherwise.
  virtual std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& value) = 0;
  virtual std::wstring LocalAppDataFolder() = 0;
  // The raw answer to a query into a buffer of capacity bytes (ERROR_MORE_DATA when it is too small).
  virtual RegistryData QueryValue(HKEY root, const std::wstring& path, const std::wstring& value, REGSAM view,
                                  DWORD capacity) = 0;

  // The process's real world; modulePath overrides the module's own path (diagnostic tools).
  static HostSystem& Real();
};

// Registry and image paths through Win32.
class Win32HostSystem final : public HostSystem {
 public:
  explicit Win32HostSystem(std::wstring modulePathOverride = {}) : modulePathOverride_(std::move(modulePathOverride)) {}
  std::wstring ExecutablePath() override;
  std::wstring ModulePath() override;
  std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const std::wstring& value,
                                         REGSAM view) override;
  std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& value) override;
  std::wstring LocalAppDataFolder() override;
  RegistryData QueryValue(HKEY root, const std::wstring& path, const std::wstring& value, REGSAM view,
                          DWORD capacity) override;

 private:
  std::wstring modulePathOverride_;
};

}  // namespace product
