#include "uxwin/skin/UxPngPool.h"

#include "uxwin/skin/UxGdiplusHeaders.h"

#include <cstring>
#include <string>

#include "utils/FileUtil.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxResourceLoader.h"

UxPngPool& UxPngPool::Instance() {
  static UxPngPool* const instance = new UxPngPool();
  return *instance;
}

UxPngPool::UxPngPool() = default;
UxPngPool::~UxPngPool() = default;

std::unique_ptr<Gdiplus::Bitmap> UxPngPool::Decode(const std::string& bytes) {
  if (bytes.empty() || !UxGdiplus::Start()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  // Decoded pixels are copied out, so the stream can go at once.
  std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
  std::unique_ptr<Gdiplus::Bitmap> copy;
  if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
    copy.reset(decoded->Clone(0, 0, decoded->GetWidth(), decoded->GetHeight(), PixelFormat32bppARGB));
    if (copy && copy->GetLastStatus() != Gdiplus::Ok) copy.reset();
  }
  decoded.reset();
  stream->Release();
  return copy;
}

Gdiplus::Bitmap* UxPngPool::Get(int id) {
  const auto found = images_.find(id);
  if (found != images_.end()) return found->second.get();
  std::string bytes;
  if (!UxResourceLoader::Instance().Load(L"png", id, bytes)) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> image = Decode(bytes);
  if (!image) return nullptr;
  return (images_[id] = std::move(image)).get();
}

std::optional<UxPngPool::DpiImage> UxPngPool::GetDpiImage(int id) {
  const auto found = dpiImages_.find(id);
  if (found != dpiImages_.end()) return DpiImage{found->second.first.get(), found->second.second};
  const std::optional<UxWin::UxDpiImage> file = UxWin::UxDpiContext::Instance().DpiImage(id);
  if (!file) return std::nullopt;
  std::unique_ptr<Gdiplus::Bitmap> image = Decode(qm::FileUtil::ReadAll(file->path));
  if (!image) return std::nullopt;
  auto& entry = dpiImages_[id] = {std::move(image), file->scale};
  return DpiImage{entry.first.get(), entry.second};
}
