#pragma once

#include <windows.h>

#include <map>
#include <string>

// Bitmaps by resource id: from the module's resources, else "%s\%d.bmp" in the resource folder.
class UxBmpPool {
 public:
  static UxBmpPool& Instance();
  explicit UxBmpPool(HMODULE module = nullptr, std::wstring folder = {});
  ~UxBmpPool();

  HBITMAP Get(int id);  // null when neither source has it

 private:
  HMODULE module_;
  std::wstring folder_;
  std::map<int, HBITMAP> bitmaps_;
};
