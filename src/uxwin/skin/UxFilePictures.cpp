#include "uxwin/skin/UxFilePictures.h"

#include "uxwin/skin/UxGdiplusHeaders.h"

#include <cstring>
#include <iterator>

#include "utils/FileUtil.h"
#include "utils/Log.h"
#include "utils/TextEncoding.h"
#include "uxwin/skin/UxPngPool.h"

namespace {

// Refusals kept before the ones nobody asks for any more are dropped.
constexpr size_t kKeptEntries = 32;

uint32_t BigEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

UxFilePictures& UxFilePictures::Instance() {
  // Goes with the module, its lock with it: a host that reloads the module keeps no handle of ours.
  static UxFilePictures instance;
  return instance;
}

bool UxFilePictures::HeaderTooLarge(const std::string& bytes) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  // Signature, then the first chunk: length, "IHDR", width, height.
  if (bytes.size() < 24 || std::memcmp(bytes.data(), kSignature, 8) != 0) return false;
  if (bytes.compare(12, 4, "IHDR") != 0) return false;
  const uint32_t width = BigEndian(bytes, 16), height = BigEndian(bytes, 20);
  return width == 0 || height == 0 || width > kMaxSide || height > kMaxSide;
}

std::shared_ptr<Gdiplus::Bitmap> UxFilePictures::Decode(const std::wstring& path) {
  // Read whole and decoded from memory: the file is never held open, so it can be replaced.
  std::string bytes;
  if (!qm::FileUtil::ReadAll(path, bytes, kMaxBytes) || bytes.empty()) return nullptr;
  if (HeaderTooLarge(bytes)) return nullptr;
  ++decodes_;
  std::shared_ptr<Gdiplus::Bitmap> picture(UxPngPool::Decode(bytes).release());
  if (picture && (picture->GetWidth() == 0 || picture->GetHeight() == 0 || picture->GetWidth() > kMaxSide ||
                  picture->GetHeight() > kMaxSide)) {
    picture.reset();
  }
  return picture;
}

void UxFilePictures::ForgetUnused() {
  if (entries_.size() <= kKeptEntries) return;
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    entry = entry->second.picture.expired() ? entries_.erase(entry) : std::next(entry);
  }
}

std::shared_ptr<Gdiplus::Bitmap> UxFilePictures::Get(const std::wstring& path) {
  const qm::FileStamp version = qm::FileStamp::Of(path);
  if (!version.exists) return nullptr;
  const std::wstring key = qm::encoding::ToLower(path);
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = entries_.find(key);
  if (found != entries_.end() && found->second.version == version) {
    if (found->second.refused) return nullptr;
    if (std::shared_ptr<Gdiplus::Bitmap> picture = found->second.picture.lock()) {
      Hold(picture);
      return picture;
    }
  }
  std::shared_ptr<Gdiplus::Bitmap> picture = Decode(path);
  if (!picture) ZLOG(WARNING) << L"picture refused (no decodable picture within the size limits): " << path;
  ForgetUnused();
  entries_[key] = Entry{version, picture, !picture};
  if (picture) Hold(picture);
  return picture;
}

void UxFilePictures::Prepare(const std::wstring& path) {
  const qm::FileStamp version = qm::FileStamp::Of(path);
  if (!version.exists) return;
  const std::wstring key = qm::encoding::ToLower(path);
  std::lock_guard<std::mutex> guard(lock_);
  const auto found = entries_.find(key);
  if (found != entries_.end() && found->second.version == version) {
    if (std::shared_ptr<Gdiplus::Bitmap> picture = found->second.picture.lock()) return Hold(picture);
    if (found->second.refused) return;
  }
  std::shared_ptr<Gdiplus::Bitmap> picture = Decode(path);
  if (!picture) return;
  ForgetUnused();
  entries_[key] = Entry{version, picture, false};
  Hold(picture);
}

void UxFilePictures::Hold(const std::shared_ptr<Gdiplus::Bitmap>& picture) {
  for (auto held = held_.begin(); held != held_.end(); ++held) {
    if (*held != picture) continue;
    held_.erase(held);
    break;
  }
  held_.push_back(picture);
  if (held_.size() > kHeld) held_.pop_front();
}
