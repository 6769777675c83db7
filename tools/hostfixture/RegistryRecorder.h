#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fixture {

// Writes registry values and remembers the keys it created, so that they can be removed again.
class RegistryRecorder {
 public:
  bool SetString(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, const std::wstring& value);
  bool SetDword(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, DWORD value);
  bool SetQword(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, ULONGLONG value);

  // Removes this key (and everything under it) on removal as well.
  void RecordKey(HKEY root, REGSAM view, const std::wstring& path);
  // One line a key: "HKLM32|HKLM|HKCU|HKCR<TAB>path".
  std::wstring Manifest() const;
  static void RemoveFromManifest(const std::wstring& manifest);

 private:
  bool Set(HKEY root, REGSAM view, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
           DWORD size);

  std::vector<std::wstring> keys_;
};

}  // namespace fixture
