#include "uxwin/skin/UxScaledPictures.h"

#include <algorithm>
#include <cstring>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPictureBlit.h"
#include "uxwin/skin/UxPicturePlace.h"

struct UxScaledPictures::Entry {
  UxPicturePlace place;                    // where on the canvas: GDI+'s sampling and edges depend on it
  std::vector<uint32_t> pixels;            // the rectangle at only, premultiplied as the canvas keeps them
  std::unique_ptr<Gdiplus::Bitmap> view;   // over pixels
};

UxScaledPictures& UxScaledPictures::Instance() {
  // Goes with the module, as UxFilePictures does: a host that reloads the module keeps none of it.
  static UxScaledPictures instance;
  return instance;
}

UxScaledPictures::~UxScaledPictures() = default;

void UxScaledPictures::Draw(UxCanvas& canvas, const std::shared_ptr<Gdiplus::Bitmap>& picture,
                            const std::wstring& variant, const RECT& destination, const Stretch& stretch) {
  const std::shared_ptr<Gdiplus::Bitmap> scaled = Get(picture, variant, destination, stretch);
  if (!scaled) return stretch(canvas.graphics(), destination);
  // GDI+ resamples the whole stretch whatever the clip: the rest is gathered and drawn in one go.
  const std::vector<RECT> rest = UxPictureBlit::CopyOverClear(canvas, *scaled, destination);
  if (rest.empty()) return;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  bool whole = region != nullptr;
  for (const RECT& part : rest) {
    HRGN piece = whole ? CreateRectRgnIndirect(&part) : nullptr;
    whole = piece && CombineRgn(region, region, piece, RGN_OR) != ERROR;
    if (piece) DeleteObject(piece);
  }
  if (whole) {
    const UxCanvasClip narrowed(canvas, region);
    stretch(canvas.graphics(), destination);
  } else {
    // No region to narrow it to (GDI out of handles): the parts one by one, each a whole stretch.
    for (const RECT& part : rest) {
      const UxCanvasClip narrowed(canvas, part);
      stretch(canvas.graphics(), destination);
    }
  }
  if (region) DeleteObject(region);
}

std::shared_ptr<Gdiplus::Bitmap> UxScaledPictures::Get(const std::shared_ptr<Gdiplus::Bitmap>& picture,
                                                       const std::wstring& variant, const RECT& at,
                                                       const Stretch& stretch) {
  if (!picture || at.left < 0 || at.top < 0 || at.right <= at.left || at.bottom <= at.top) return nullptr;
  const size_t area = static_cast<size_t>(at.right - at.left) * static_cast<size_t>(at.bottom - at.top);
  if (area > kMaxPixels || static_cast<size_t>(at.right) * static_cast<size_t>(at.bottom) > kMaxSurface) return nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  const UxPicturePlace wanted(picture, variant, at);
  for (const auto& entry : entries_) {
    if (entry->place == wanted) {
      return std::shared_ptr<Gdiplus::Bitmap>(entry, entry->view.get());
    }
  }
  ForgetExpired();
  if (pixels_ + area > kMaxPixels) {
    entries_.clear();
    pixels_ = 0;
  }
  std::shared_ptr<Entry> made = Make(picture, variant, at, stretch);
  if (!made) return nullptr;
  ++made_;
  pixels_ += area;
  entries_.push_back(made);
  return std::shared_ptr<Gdiplus::Bitmap>(made, made->view.get());
}

std::shared_ptr<UxScaledPictures::Entry> UxScaledPictures::Make(const std::shared_ptr<Gdiplus::Bitmap>& picture,
                                                                const std::wstring& variant, const RECT& at,
                                                                const Stretch& stretch) {
  if (!UxGdiplus::Start()) return nullptr;
  // Stretched on a surface from the canvas's origin, so that it lands on the same device pixels as
  // on the canvas; only its rectangle is kept.
  const int width = at.right - at.left, height = at.bottom - at.top;
  std::vector<uint32_t> surfacePixels(static_cast<size_t>(at.right) * static_cast<size_t>(at.bottom), 0u);
  {
    Gdiplus::Bitmap surfaceBitmap(at.right, at.bottom, at.right * 4, PixelFormat32bppPARGB,
                                  reinterpret_cast<BYTE*>(surfacePixels.data()));
    if (surfaceBitmap.GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics surface(&surfaceBitmap);
    if (surface.GetLastStatus() != Gdiplus::Ok) return nullptr;
    // As UxCanvas sets its own: the same sampling, and the same blending over a clear canvas.
    surface.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    surface.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    stretch(surface, at);
  }
  auto entry = std::make_shared<Entry>();
  entry->place = UxPicturePlace(picture, variant, at);
  entry->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int row = 0; row < height; ++row) {
    std::memcpy(entry->pixels.data() + static_cast<size_t>(row) * width,
                surfacePixels.data() + static_cast<size_t>(at.top + row) * at.right + at.left, width * sizeof(uint32_t));
  }
  entry->view = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                                  reinterpret_cast<BYTE*>(entry->pixels.data()));
  if (entry->view->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return entry;
}

void UxScaledPictures::ForgetExpired() {
  const auto expired = std::remove_if(entries_.begin(), entries_.end(), [this](const std::shared_ptr<Entry>& entry) {
    if (!entry->place.Gone()) return false;
    pixels_ -= entry->pixels.size();
    return true;
  });
  entries_.erase(expired, entries_.end());
}

void UxScaledPictures::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  entries_.clear();
  pixels_ = 0;
}
