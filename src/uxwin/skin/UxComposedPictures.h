#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "uxwin/skin/UxDrawMemo.h"
#include "uxwin/skin/UxPicturePlace.h"

namespace Gdiplus {
class Bitmap;
}  // namespace Gdiplus

class UxCanvas;

// Stretched pictures kept as the pixels they left over the pixels they met (UxDrawMemo), for the
// whole process: a button stretched again over the same background leaves the same pixels, and a
// stretch whose partly clear edges blend into what lies under it cannot be copied from a stretched
// copy (UxScaledPictures) without rounding differently from GDI+.
class UxComposedPictures {
 public:
  static constexpr size_t kMaxPixels = 512u * 1024;  // 2 MiB: the pop-up's buttons in their states and factors
  static constexpr size_t kMostEntries = 32;

  static UxComposedPictures& Instance();

  // Draws what draw draws at destination: put back when the picture, the variant (what else the
  // drawing depends on: frame, mode) and the rectangle met these pixels before. The lock is held
  // while draw runs: only the UI thread paints.
  void Draw(UxCanvas& canvas, const std::shared_ptr<Gdiplus::Bitmap>& picture, const std::wstring& variant,
            const RECT& destination, const std::function<void()>& draw);
  size_t hits();  // for tests
  void Clear();

 private:
  std::mutex lock_;
  UxDrawMemo<UxPicturePlace> memo_{kMaxPixels, kMostEntries};
};
