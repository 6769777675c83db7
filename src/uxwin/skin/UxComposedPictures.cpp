#include "uxwin/skin/UxComposedPictures.h"

UxComposedPictures& UxComposedPictures::Instance() {
  // Goes with the module, as UxScaledPictures does: a host that reloads the module keeps none of it.
  static UxComposedPictures instance;
  return instance;
}

void UxComposedPictures::Draw(UxCanvas& canvas, const std::shared_ptr<Gdiplus::Bitmap>& picture,
                              const std::wstring& variant, const RECT& destination,
                              const std::function<void()>& draw) {
  if (!picture) return draw();
  std::lock_guard<std::mutex> hold(lock_);
  // A closed pop-up's buttons keep nothing.
  memo_.DropIf([](const UxPicturePlace& place) { return place.Gone(); });
  memo_.Draw(canvas, UxPicturePlace(picture, variant, destination), destination, draw);
}

size_t UxComposedPictures::hits() {
  std::lock_guard<std::mutex> hold(lock_);
  return memo_.hits();
}

void UxComposedPictures::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  memo_.Clear();
}
