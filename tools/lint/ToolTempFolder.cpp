#include "lint/ToolTempFolder.h"

#include <windows.h>

#include "utils/FileUtil.h"

namespace campaign {

ToolTempFolder::ToolTempFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH] = {};
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return;
  for (ULONGLONG attempt = 0; attempt < 100; ++attempt) {
    const std::wstring folder = std::wstring(temp) + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64() + attempt) + L"\\";
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
      path_ = folder;
      return;
    }
  }
}

ToolTempFolder::~ToolTempFolder() {
  if (!path_.empty()) qm::FileUtil::RemoveTree(path_.substr(0, path_.size() - 1));
}

}  // namespace campaign
