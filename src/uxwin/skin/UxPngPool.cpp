#include "uxwin/skin/UxPngPool.h"

#include "uxwin/skin/UxGdiplusHeaders.h"

#include <cstring>
#include <string>

#include "utils/FileUtil.h"
#include "utils/Log.h"
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
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
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
  if (failed_.count(id)) return nullptr;
  std::string bytes;
  if (!UxResourceLoader::Instance().Load(L"png", id, bytes)) return Failed(id, L"no such resource");
  std::unique_ptr<Gdiplus::Bitmap> image = Decode(bytes);
  if (!image) return Failed(id, L"does not decode (" + std::to_wstring(bytes.size()) + L" bytes)");
  return (images_[id] = std::move(image)).get();
}

Gdiplus::Bitmap* UxPngPool::Failed(int id, const std::wstring& reason) {
  // Once per id: a skin asks on every paint.
  failed_.insert(id);
  ZLOG(WARNING) << L"png " << id << L": " << reason;
  return nullptr;
}

std::optional<UxPngPool::DpiImage> UxPngPool::GetDpiImage(int id) {
  const std::optional<UxWin::UxDpiImage> file = UxWin::UxDpiContext::Instance().DpiImage(id);
  if (!file || failedDpi_.count(file->path)) return std::nullopt;
  const auto found = dpiImages_.find(file->path);
  if (found != dpiImages_.end()) return DpiImage{found->second.first.get(), found->second.second};
  std::string bytes;
  if (!qm::FileUtil::ReadAll(file->path, bytes)) {
    failedDpi_.insert(file->path);
    ZLOG(WARNING) << L"png " << id << L": pre-scaled image unreadable: " << file->path;
    return std::nullopt;
  }
  std::unique_ptr<Gdiplus::Bitmap> image = Decode(bytes);
  if (!image) {
    failedDpi_.insert(file->path);
    ZLOG(WARNING) << L"png " << id << L": pre-scaled image does not decode: " << file->path;
    return std::nullopt;
  }
  auto& entry = dpiImages_[file->path] = {std::move(image), file->scale};
  return DpiImage{entry.first.get(), entry.second};
}
