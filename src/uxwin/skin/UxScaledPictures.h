#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Gdiplus {
class Bitmap;
class Graphics;
}  // namespace Gdiplus

class UxCanvas;

// Pictures stretched once per place. Above a factor of 1.0 every paint stretched the pop-up's
// pictures again (about 15 ms of GDI+ for the background under Wine, at every repaint and every
// cell of a preview sheet). A stretched copy is GDI+'s own stretch onto a clear surface of the
// canvas's kind: its opaque and clear pixels are what the stretch leaves on any canvas, and its
// partly clear ones what it leaves on a clear canvas pixel (UxPictureBlit::CopyOverClear). Entries
// die with their picture, and the whole is bounded.
class UxScaledPictures {
 public:
  // Draws the stretch to fill the rectangle to on graphics (the canvas's, or a clear surface's).
  using Stretch = std::function<void(Gdiplus::Graphics& graphics, const RECT& to)>;

  static constexpr size_t kMaxPixels = 2u << 20;  // 8 MiB kept: the pop-up's pictures at a factor of 1.5 fit
  static constexpr size_t kMaxSurface = 4u << 20;  // the canvas a copy is stretched on for a moment

  static UxScaledPictures& Instance();
  ~UxScaledPictures();

  // Draws what stretch draws at destination on the canvas, within its clip: copied from the
  // picture's stretched copy for the picture, the variant (what else the stretch depends on: frame,
  // mode) and the rectangle, made at the first call; stretch itself, once and narrowed, where a partly
  // clear pixel lands on something drawn; stretch alone when no copy can be made.
  void Draw(UxCanvas& canvas, const std::shared_ptr<Gdiplus::Bitmap>& picture, const std::wstring& variant,
            const RECT& destination, const Stretch& stretch);
  // The stretched copy of the rectangle at (held by the caller while it draws from it, whatever the
  // cache does meanwhile); null when it cannot be made.
  std::shared_ptr<Gdiplus::Bitmap> Get(const std::shared_ptr<Gdiplus::Bitmap>& picture, const std::wstring& variant,
                                       const RECT& at, const Stretch& stretch);
  size_t made() const { return made_; }  // for tests
  // Lets every copy go.
  void Clear();

 private:
  struct Entry;

  std::shared_ptr<Entry> Make(const std::shared_ptr<Gdiplus::Bitmap>& picture, const std::wstring& variant,
                              const RECT& at, const Stretch& stretch);
  void ForgetExpired();

  std::mutex lock_;
  std::vector<std::shared_ptr<Entry>> entries_;
  size_t pixels_ = 0;
  size_t made_ = 0;
};
