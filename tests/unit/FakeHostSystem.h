#pragma once

#include <map>
#include <string>
#include <tuple>

#include "product/HostSystem.h"
#include "utils/TextEncoding.h"

namespace testing_support {

// A registry in memory and fixed image paths; files stay real (temporary folders).
class FakeHostSystem : public product::HostSystem {
 public:
  std::wstring executable = L"C:\\host\\host.exe";
  std::wstring module = L"C:\\host\\pagesdkutil.dll";
  std::wstring localAppData = L"C:\\users\\me\\AppData\\Local";

  void SetString(HKEY root, const std::wstring& path, const std::wstring& value, const std::wstring& text) {
    strings_[Key(root, path, value)] = text;
  }
  void SetDword(HKEY root, const std::wstring& path, const std::wstring& value, DWORD number) {
    dwords_[Key(root, path, value)] = number;
  }

  std::wstring ExecutablePath() override { return executable; }
  std::wstring ModulePath() override { return module; }
  std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const std::wstring& value,
                                         REGSAM) override {
    const auto found = strings_.find(Key(root, path, value));
    if (found == strings_.end() || found->second.empty()) return std::nullopt;
    return found->second;
  }
  std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& value) override {
    const auto found = dwords_.find(Key(root, path, value));
    if (found == dwords_.end()) return std::nullopt;
    return found->second;
  }
  std::wstring LocalAppDataFolder() override { return localAppData; }

 private:
  using RegistryKey = std::tuple<HKEY, std::wstring, std::wstring>;
  static RegistryKey Key(HKEY root, const std::wstring& path, const std::wstring& value) {
    return {root, qm::encoding::ToLower(path), qm::encoding::ToLower(value)};
  }
  std::map<RegistryKey, std::wstring> strings_;
  std::map<RegistryKey, DWORD> dwords_;
};

}  // namespace testing_support
