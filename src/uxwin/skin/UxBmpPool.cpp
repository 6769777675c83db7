#include "uxwin/skin/UxBmpPool.h"

#include "utils/ModulePaths.h"

UxBmpPool& UxBmpPool::Instance() {
  static UxBmpPool* const instance = new UxBmpPool();
  return *instance;
}

UxBmpPool::UxBmpPool(HMODULE module, std::wstring folder) : module_(module), folder_(std::move(folder)) {
  if (!module_) module_ = qm::ModulePaths::OwnModule();
}

UxBmpPool::~UxBmpPool() {
  for (auto& [id, bitmap] : bitmaps_) DeleteObject(bitmap);
}

HBITMAP UxBmpPool::Get(int id) {
  const auto found = bitmaps_.find(id);
  if (found != bitmaps_.end()) return found->second;
  HBITMAP bitmap = module_ ? LoadBitmapW(module_, MAKEINTRESOURCEW(id)) : nullptr;
  if (!bitmap && !folder_.empty()) {
    const std::wstring path = folder_ + L"\\" + std::to_wstring(id) + L".bmp";
    bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  }
  if (bitmap) bitmaps_[id] = bitmap;
  return bitmap;
}
