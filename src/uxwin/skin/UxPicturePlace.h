#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace Gdiplus {
class Bitmap;
}  // namespace Gdiplus

// A picture drawn at a place of a canvas in a way (variant: frame, mode), as the keys of the caches
// of drawn pictures hold it. The picture is held weakly: once it is gone, a new one may sit at its
// address, and the place matches nothing any more.
struct UxPicturePlace {
  std::weak_ptr<Gdiplus::Bitmap> picture;
  const Gdiplus::Bitmap* address = nullptr;
  std::wstring variant;
  RECT at{};

  UxPicturePlace() = default;
  UxPicturePlace(const std::shared_ptr<Gdiplus::Bitmap>& drawn, std::wstring way, const RECT& where)
      : picture(drawn), address(drawn.get()), variant(std::move(way)), at(where) {}

  bool Gone() const { return picture.expired(); }
  bool operator==(const UxPicturePlace& other) const {
    return address == other.address && !Gone() && !other.Gone() && EqualRect(&at, &other.at) &&
           variant == other.variant;
  }
};
