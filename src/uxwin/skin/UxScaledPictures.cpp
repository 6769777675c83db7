#include "uxwin/skin/UxScaledPictures.h"

#include <algorithm>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPictureBlit.h"

struct UxScaledPictures::Entry {
  std::weak_ptr<Gdiplus::Bitmap> picture;  // expired: a new picture may sit at the same address
  const Gdiplus::Bitmap* address = nullptr;
  std::wstring variant;
  RECT at{};                               // where on the canvas: GDI+'s sampling and edges depend on it
  std::vector<uint32_t> pixels;            // premultiplied, as the canvas keeps them
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
  Gdiplus::Bitmap* scaled = Get(picture, variant, destination, stretch);
  if (!scaled) return stretch(canvas.graphics(), destination);
  // GDI+ resamples the whole stretch whatever the clip: the rest is gathered and drawn in one go.
  HRGN rest = CreateRectRgn(0, 0, 0, 0);
  UxPictureBlit::Draw(
      canvas, *scaled, destination, POINT{destination.left, destination.top},
      [&](const RECT& part) {
        if (!rest) return;
        HRGN piece = CreateRectRgnIndirect(&part);
        if (piece) CombineRgn(rest, rest, piece, RGN_OR);
        if (piece) DeleteObject(piece);
      },
      UxPictureBlit::Kind::kOverClear);
  RECT box{};
  if (!rest) return stretch(canvas.graphics(), destination);
  if (GetRgnBox(rest, &box) != NULLREGION) {
    const UxCanvasClip narrowed(canvas, rest);
    stretch(canvas.graphics(), destination);
  }
  DeleteObject(rest);
}

Gdiplus::Bitmap* UxScaledPictures::Get(const std::shared_ptr<Gdiplus::Bitmap>& picture, const std::wstring& variant,
                                       const RECT& at, const Stretch& stretch) {
  if (!picture || at.left < 0 || at.top < 0 || at.right <= at.left || at.bottom <= at.top) return nullptr;
  const size_t area = static_cast<size_t>(at.right) * static_cast<size_t>(at.bottom);
  if (area > kMaxPixels) return nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  for (const auto& entry : entries_) {
    if (entry->address == picture.get() && !entry->picture.expired() && EqualRect(&entry->at, &at) &&
        entry->variant == variant) {
      return entry->view.get();
    }
  }
  ForgetExpired();
  if (pixels_ + area > kMaxPixels) {
    entries_.clear();
    pixels_ = 0;
  }
  std::unique_ptr<Entry> made = Make(picture, variant, at, stretch);
  if (!made) return nullptr;
  ++made_;
  pixels_ += area;
  entries_.push_back(std::move(made));
  return entries_.back()->view.get();
}

std::unique_ptr<UxScaledPictures::Entry> UxScaledPictures::Make(const std::shared_ptr<Gdiplus::Bitmap>& picture,
                                                                const std::wstring& variant, const RECT& at,
                                                                const Stretch& stretch) {
  if (!UxGdiplus::Start()) return nullptr;
  auto entry = std::make_unique<Entry>();
  entry->picture = picture;
  entry->address = picture.get();
  entry->variant = variant;
  entry->at = at;
  // The surface reaches from the canvas's origin to the picture's far corner, so the stretch lands
  // on the same device pixels as on the canvas.
  entry->pixels.assign(static_cast<size_t>(at.right) * static_cast<size_t>(at.bottom), 0u);
  entry->view = std::make_unique<Gdiplus::Bitmap>(at.right, at.bottom, at.right * 4, PixelFormat32bppPARGB,
                                                  reinterpret_cast<BYTE*>(entry->pixels.data()));
  if (entry->view->GetLastStatus() != Gdiplus::Ok) return nullptr;
  {
    Gdiplus::Graphics surface(entry->view.get());
    if (surface.GetLastStatus() != Gdiplus::Ok) return nullptr;
    // As UxCanvas sets its own: the same sampling, and the same blending over a clear canvas.
    surface.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    surface.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
    stretch(surface, at);
  }
  return entry;
}

void UxScaledPictures::ForgetExpired() {
  const auto expired = std::remove_if(entries_.begin(), entries_.end(), [this](const std::unique_ptr<Entry>& entry) {
    if (!entry->picture.expired()) return false;
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
