#pragma once

#include <string>

namespace qm {

// Whole-file reads and writes and folder trees, for code that needs no more than that.
class FileUtil {
 public:
  // The whole file; false when it cannot be opened or read, or is larger than maxBytes.
  static bool ReadAll(const std::wstring& path, std::string& bytes, size_t maxBytes = 64u << 20);
  static std::string ReadAll(const std::wstring& path);  // "" when unreadable
  // Creates the missing folders on the way, then the file (replacing it).
  static bool WriteAll(const std::wstring& path, const std::string& bytes);
  static void CreateParentFolders(const std::wstring& path);
  // Deletes the folder and everything in it, read-only files included.
  static void RemoveTree(const std::wstring& folder);
  static bool IsFile(const std::wstring& path);
};

}  // namespace qm
