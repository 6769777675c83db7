#pragma once

#include <string>

namespace testing_support {

// A fresh folder under the system temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
long long FileSizeOf(const std::wstring& path);
void RemoveTree(const std::wstring& path);

// The folder of the running test program, with a trailing backslash.
std::wstring ExecutableFolder();

}  // namespace testing_support
