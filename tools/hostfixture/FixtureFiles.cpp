#include "FixtureFiles.h"

#include <windows.h>

#include <cstdio>

namespace fixture {

namespace {

void CreateParents(const std::wstring& path) {
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  }
}

}  // namespace

bool WriteFileCreatingFolders(const std::wstring& path, const std::string& bytes) {
  CreateParents(path);
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && ok;
}

bool CopyCreatingFolders(const std::wstring& source, const std::wstring& target) {
  CreateParents(target);
  return CopyFileW(source.c_str(), target.c_str(), FALSE) != FALSE;
}

std::string ReadWholeFile(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return {};
  std::string bytes;
  char chunk[4096];
  for (size_t read; (read = fread(chunk, 1, sizeof(chunk), file)) > 0;) bytes.append(chunk, read);
  fclose(file);
  return bytes;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = folder + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring OwnFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  const std::wstring path(buffer, length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace fixture
