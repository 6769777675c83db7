#include "uxwin/skin/UxJpgPool.h"

#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPngPool.h"
#include "uxwin/skin/UxResourceLoader.h"

UxJpgPool& UxJpgPool::Instance() {
  static UxJpgPool* const instance = new UxJpgPool();
  return *instance;
}

UxJpgPool::UxJpgPool() = default;
UxJpgPool::~UxJpgPool() = default;

Gdiplus::Bitmap* UxJpgPool::Get(int id) {
  const auto found = images_.find(id);
  if (found != images_.end()) return found->second.get();
  std::string bytes;
  if (!UxResourceLoader::Instance().Load(L"jpg", id, bytes)) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> image = UxPngPool::Decode(bytes);
  if (!image) return nullptr;
  return (images_[id] = std::move(image)).get();
}
