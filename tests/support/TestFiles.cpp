#include "TestFiles.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "utils/FileUtil.h"
#include "utils/ModulePaths.h"

namespace testing_support {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  path_ = std::wstring(base) + L"activity-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(counter++);
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) { qm::FileUtil::RemoveTree(path); }

std::string ReadBytes(const std::wstring& path) { return qm::FileUtil::ReadAll(path); }

bool WriteBytes(const std::wstring& path, const std::string& bytes) { return qm::FileUtil::WriteAll(path, bytes); }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long FileSizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring ExecutableFolder() {
  const std::wstring path = qm::ModulePaths::Executable();
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace testing_support
