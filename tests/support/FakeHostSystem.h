#pragma once

#include <cstring>
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

  void SetRaw(HKEY root, const std::wstring& path, const std::wstring& value, DWORD type, const void* data,
              size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    values_[Key(root, path, value)] = {type, std::vector<BYTE>(bytes, bytes + size)};
  }
  void SetString(HKEY root, const std::wstring& path, const std::wstring& value, const std::wstring& text) {
    SetRaw(root, path, value, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  void SetDword(HKEY root, const std::wstring& path, const std::wstring& value, DWORD number) {
    SetRaw(root, path, value, REG_DWORD, &number, sizeof(number));
  }

  std::wstring ExecutablePath() override { return executable; }
  std::wstring ModulePath() override { return module; }
  std::wstring LocalAppDataFolder() override { return localAppData; }

  product::RegistryData QueryValue(HKEY root, const std::wstring& path, const std::wstring& value, REGSAM,
                                   DWORD capacity) override {
    product::RegistryData data;
    const auto found = values_.find(Key(root, path, value));
    if (found == values_.end()) return data;
    data.type = found->second.first;
    if (found->second.second.size() > capacity) {
      data.status = ERROR_MORE_DATA;
      return data;
    }
    data.status = ERROR_SUCCESS;
    data.bytes = found->second.second;
    return data;
  }
  std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const std::wstring& value,
                                         REGSAM view) override {
    const product::RegistryData data = QueryValue(root, path, value, view, 518);
    if (data.status != ERROR_SUCCESS || (data.type != REG_SZ && data.type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.bytes.data()), data.bytes.size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    if (text.empty()) return std::nullopt;
    return text;
  }
  std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& value) override {
    const product::RegistryData data = QueryValue(root, path, value, 0, 16);
    if (data.status != ERROR_SUCCESS || data.bytes.size() != sizeof(DWORD)) return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, data.bytes.data(), sizeof(number));
    return number;
  }

 private:
  using RegistryKey = std::tuple<HKEY, std::wstring, std::wstring>;
  static RegistryKey Key(HKEY root, const std::wstring& path, const std::wstring& value) {
    return {root, qm::encoding::ToLower(path), qm::encoding::ToLower(value)};
  }
  std::map<RegistryKey, std::pair<DWORD, std::vector<BYTE>>> values_;
};

}  // namespace testing_support
