#include "RegistryRecorder.h"

#include <algorithm>
#include <sstream>

namespace fixture {

namespace {

std::wstring RootName(HKEY root, REGSAM view) {
  if (root == HKEY_LOCAL_MACHINE) return view == KEY_WOW64_32KEY ? L"HKLM32" : L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  return view == KEY_WOW64_32KEY ? L"HKCR32" : L"HKCR";
}

// The first key along path that does not exist yet: removing it removes all the fixture created.
std::wstring FirstMissingKey(HKEY root, REGSAM view, const std::wstring& path) {
  for (size_t slash = path.find(L'\\'); ; slash = path.find(L'\\', slash + 1)) {
    const std::wstring prefix = path.substr(0, slash);
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, prefix.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return prefix;
    RegCloseKey(key);
    if (slash == std::wstring::npos) return path;
  }
}

}  // namespace

bool RegistryRecorder::Set(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, DWORD type,
                           const void* data, DWORD size) {
  RecordKey(root, view, FirstMissingKey(root, view, path));
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const bool ok = RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool RegistryRecorder::SetString(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name,
                                 const std::wstring& value) {
  return Set(root, view, path, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool RegistryRecorder::SetDword(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name,
                                DWORD value) {
  return Set(root, view, path, name, REG_DWORD, &value, sizeof(value));
}

bool RegistryRecorder::SetQword(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name,
                                ULONGLONG value) {
  return Set(root, view, path, name, REG_QWORD, &value, sizeof(value));
}

void RegistryRecorder::RecordKey(HKEY root, REGSAM view, const std::wstring& path) {
  const std::wstring entry = RootName(root, view) + L"\t" + path;
  if (std::find(keys_.begin(), keys_.end(), entry) == keys_.end()) keys_.push_back(entry);
}

std::wstring RegistryRecorder::Manifest() const {
  std::wstring text;
  for (const auto& key : keys_) text += key + L"\n";
  return text;
}

void RegistryRecorder::RemoveFromManifest(const std::wstring& manifest) {
  std::wistringstream lines(manifest);
  std::wstring line;
  while (std::getline(lines, line)) {
    const size_t tab = line.find(L'\t');
    if (tab == std::wstring::npos) continue;
    const std::wstring rootName = line.substr(0, tab);
    const std::wstring path = line.substr(tab + 1);
    HKEY root = HKEY_CLASSES_ROOT;
    REGSAM view = 0;
    if (rootName == L"HKLM32" || rootName == L"HKLM") root = HKEY_LOCAL_MACHINE;
    if (rootName == L"HKLM32" || rootName == L"HKCR32") view = KEY_WOW64_32KEY;
    if (rootName == L"HKCU") root = HKEY_CURRENT_USER;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
      RegDeleteTreeW(key, nullptr);
      RegCloseKey(key);
    }
    RegDeleteKeyExW(root, path.c_str(), view, 0);
  }
}

}  // namespace fixture
