#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace Gdiplus {
class Bitmap;
}

// Decoded PNG resources by id, shared by every skin that names them, and their pre-scaled
// variants for the current DPI factor.
class UxPngPool {
 public:
  static UxPngPool& Instance();
  UxPngPool();
  ~UxPngPool();

  // The decoded image, or null when the resource is missing or does not decode.
  Gdiplus::Bitmap* Get(int id);
  struct DpiImage {
    Gdiplus::Bitmap* image;
    double scale;
  };
  std::optional<DpiImage> GetDpiImage(int id);

  // Decodes PNG (or any GDI+ format) bytes through a stream on global memory.
  static std::unique_ptr<Gdiplus::Bitmap> Decode(const std::string& bytes);

 private:
  Gdiplus::Bitmap* Failed(int id, const std::wstring& reason);

  std::map<int, std::unique_ptr<Gdiplus::Bitmap>> images_;
  std::set<int> failed_;
  // Pre-scaled files by path: the factor, and so the file an id names, may change in a process.
  std::set<std::wstring> failedDpi_;
  std::map<std::wstring, std::pair<std::unique_ptr<Gdiplus::Bitmap>, double>> dpiImages_;
};
