#pragma once

#include <map>
#include <string>

#include "product/HostSystem.h"

namespace vanta {

// Reads the host identity values that the remote-configuration library is handed, each once.
class VantaIdentityReader {
 public:
  explicit VantaIdentityReader(product::HostSystem& system) : system_(system) {}

  // Text of a REG_SZ/REG_EXPAND_SZ value, or a REG_DWORD as unsigned decimal; "" otherwise.
  std::wstring Text(HKEY root, const std::wstring& path, const std::wstring& value);
  // Text accepted only when exactly 32 characters long, optionally upper-cased.
  std::wstring Text32(HKEY root, const std::wstring& path, const std::wstring& value, bool upperCase);
  // The same after removing every "-"; always upper-cased.
  std::wstring DashlessText32(HKEY root, const std::wstring& path, const std::wstring& value);
  // An integer of an INI file as decimal text; the default when the file does not exist.
  std::wstring IniInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                      int defaultValue);

  product::HostSystem& system() { return system_; }
  // The folder that holds the module file, with a backslash.
  std::wstring ModuleFolder();
  // A host's installation folder as recorded under HKEY_LOCAL_MACHINE, with a backslash.
  std::wstring HostFolder(const std::wstring& key, const std::wstring& value);

 private:
  std::wstring ReadText(HKEY root, const std::wstring& path, const std::wstring& value);

  product::HostSystem& system_;
  std::map<std::wstring, std::wstring> cache_;
};

}  // namespace vanta
