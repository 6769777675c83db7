#include "vanta/VantaIdentityReader.h"

#include <algorithm>
#include <cstring>

#include "product/ProductInfoLoader.h"

namespace vanta {

namespace {

constexpr REGSAM kView32 = KEY_WOW64_32KEY;
constexpr DWORD kTextCapacity = 520;

std::wstring Upper(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::wstring VantaIdentityReader::ReadText(HKEY root, const std::wstring& path, const std::wstring& value) {
  const product::RegistryData data = system_.QueryValue(root, path, value, kView32, kTextCapacity);
  if (data.status == ERROR_SUCCESS && (data.type == REG_SZ || data.type == REG_EXPAND_SZ)) {
    const size_t units = data.bytes.size() / sizeof(wchar_t);
    const auto* text = reinterpret_cast<const wchar_t*>(data.bytes.data());
    if (units == 0) return {};
    if (data.bytes.size() % sizeof(wchar_t) == 0 && text[units - 1] == L'\0') return std::wstring(text);
  }
  // Another type, text without its terminator, or ERROR_INVALID_DATA: perhaps a DWORD.
  if (data.status != ERROR_SUCCESS && data.status != ERROR_INVALID_DATA) return {};
  const product::RegistryData number = system_.QueryValue(root, path, value, kView32, sizeof(DWORD));
  if (number.status != ERROR_SUCCESS || number.type != REG_DWORD || number.bytes.size() != sizeof(DWORD)) return {};
  DWORD dword = 0;
  std::memcpy(&dword, number.bytes.data(), sizeof(dword));
  return std::to_wstring(dword);
}

std::wstring VantaIdentityReader::Text(HKEY root, const std::wstring& path, const std::wstring& value) {
  const std::wstring key = std::to_wstring(reinterpret_cast<uintptr_t>(root)) + L"|" + path + L"|" + value;
  const auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  return cache_[key] = ReadText(root, path, value);
}

std::wstring VantaIdentityReader::Text32(HKEY root, const std::wstring& path, const std::wstring& value,
                                         bool upperCase) {
  const std::wstring text = Text(root, path, value);
  if (text.size() != 32) return {};
  return upperCase ? Upper(text) : text;
}

std::wstring VantaIdentityReader::DashlessText32(HKEY root, const std::wstring& path, const std::wstring& value) {
  std::wstring text = Text(root, path, value);
  text.erase(std::remove(text.begin(), text.end(), L'-'), text.end());
  return text.size() == 32 ? Upper(text) : std::wstring();
}

std::wstring VantaIdentityReader::IniInt(const std::wstring& file, const std::wstring& section,
                                         const std::wstring& key, int defaultValue) {
  if (!product::IsExistingFile(file)) return std::to_wstring(defaultValue);
  return std::to_wstring(static_cast<int>(GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, file.c_str())));
}

std::wstring VantaIdentityReader::ModuleFolder() { return product::FolderOfPath(system_.ModulePath()); }

std::wstring VantaIdentityReader::HostFolder(const std::wstring& key, const std::wstring& value) {
  return product::WithBackslash(system_.ReadString(HKEY_LOCAL_MACHINE, key, value, kView32).value_or(L""));
}

}  // namespace vanta
