#include "utils/ModulePaths.h"

namespace qm {

std::wstring ModulePaths::Of(HMODULE module) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

std::wstring ModulePaths::Executable() { return Of(nullptr); }

HMODULE ModulePaths::OwnModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModulePaths::OwnModule), &self);
  return self;
}

std::wstring ModulePaths::FileName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ModulePaths::BaseName(const std::wstring& path) {
  const std::wstring name = FileName(path);
  return name.substr(0, name.find_last_of(L'.'));
}

}  // namespace qm
