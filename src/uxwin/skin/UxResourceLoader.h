#pragma once

#include <windows.h>

#include <map>
#include <string>

// Finds the bytes of an engine resource (type "xml" or "png" and an id) in the first source that
// has it: the resource folders ("%s\%d.%s", the second folder first), the module's resources, the
// in-memory table ("%d.%s"), then the process's main module.
class UxResourceLoader {
 public:
  static UxResourceLoader& Instance();

  UxResourceLoader();  // the module that contains this code
  void SetModule(HMODULE module) { module_ = module; }
  void SetFolders(std::wstring first, std::wstring second);
  void AddToMemory(int id, const std::wstring& type, std::string bytes);

  bool Load(const std::wstring& type, int id, std::string& bytes) const;

 private:
  static bool FromModule(HMODULE module, const std::wstring& type, int id, std::string& bytes);

  HMODULE module_ = nullptr;
  std::wstring firstFolder_;
  std::wstring secondFolder_;
  std::map<std::wstring, std::string> memory_;
};
