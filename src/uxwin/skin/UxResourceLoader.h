#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

// Finds the bytes of an engine resource (type "xml" or "png" and an id) in the first source that
// has it: the resource folders ("%s\%d.%s", the second folder first), the module's resources, the
// in-memory table ("%d.%s"), then the process's main module.
class UxResourceLoader {
 public:
  // Limits for files from the resource folders; the module's own resources are trusted.
  static constexpr uint64_t kMaxFolderDocumentBytes = 1u << 20;
  static constexpr uint64_t kMaxFolderImageBytes = 16u << 20;

  static UxResourceLoader& Instance();

  UxResourceLoader();  // the module that contains this code
  void SetModule(HMODULE module) { module_ = module; }
  void SetFolders(std::wstring first, std::wstring second);
  void AddToMemory(int id, const std::wstring& type, std::string bytes);

  bool Load(const std::wstring& type, int id, std::string& bytes) const;

 private:
  static bool FromFolder(const std::wstring& folder, const std::wstring& type, int id, std::string& bytes);
  static bool FromModule(HMODULE module, const std::wstring& type, int id, std::string& bytes);

  HMODULE module_ = nullptr;
  std::wstring firstFolder_;
  std::wstring secondFolder_;
  std::map<std::wstring, std::string> memory_;
};
