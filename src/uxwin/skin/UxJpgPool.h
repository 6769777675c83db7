#pragma once

#include <map>
#include <memory>

namespace Gdiplus {
class Bitmap;
}

// Decoded JPG resources (type "jpg") by id, as the PNG pool does for PNGs.
class UxJpgPool {
 public:
  static UxJpgPool& Instance();
  UxJpgPool();
  ~UxJpgPool();
  Gdiplus::Bitmap* Get(int id);

 private:
  std::map<int, std::unique_ptr<Gdiplus::Bitmap>> images_;
};
