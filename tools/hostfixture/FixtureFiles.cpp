#include "FixtureFiles.h"

#include <windows.h>

#include "utils/FileUtil.h"
#include "utils/ModulePaths.h"

namespace fixture {

bool CopyCreatingFolders(const std::wstring& source, const std::wstring& target) {
  qm::FileUtil::CreateParentFolders(target);
  return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

std::wstring OwnFolder() {
  const std::wstring path = qm::ModulePaths::Executable();
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace fixture
