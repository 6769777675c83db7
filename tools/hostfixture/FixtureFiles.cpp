#include "FixtureFiles.h"

#include <windows.h>

#include "utils/FileUtil.h"

namespace fixture {

bool CopyCreatingFolders(const std::wstring& source, const std::wstring& target) {
  qm::FileUtil::CreateParentFolders(target);
  return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

std::wstring OwnFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  const std::wstring path(buffer, length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace fixture
