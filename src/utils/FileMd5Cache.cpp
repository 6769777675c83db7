#include "utils/FileMd5Cache.h"

#include <map>
#include <mutex>

#include "utils/FileStamp.h"
#include "utils/ZMd5.h"

namespace qm {

namespace {

struct Entry {
  FileStamp stamp;
  std::wstring hex;
};

constexpr size_t kMostEntries = 32;  // three pictures and their downloads' temporary files

std::mutex cacheLock;
std::map<std::wstring, Entry> cache;  // under cacheLock
uint64_t hashed = 0;                  // under cacheLock

std::wstring Hash(const std::wstring& path) {
  encoding::Md5Digest digest{};
  return encoding::ZMd5::OfFile(path, digest) ? encoding::ZMd5::HexW(digest) : std::wstring();
}

}  // namespace

std::wstring FileMd5Cache::HexOf(const std::wstring& path) {
  const FileStamp before = FileStamp::Of(path);
  if (!before.exists) return Hash(path);
  {
    std::lock_guard<std::mutex> hold(cacheLock);
    const auto found = cache.find(path);
    if (found != cache.end() && found->second.stamp == before) return found->second.hex;
  }
  const std::wstring hex = Hash(path);
  std::lock_guard<std::mutex> hold(cacheLock);
  ++hashed;
  // Kept only when the file stayed the same version while it was read.
  if (hex.empty() || !(FileStamp::Of(path) == before)) return hex;
  if (cache.size() >= kMostEntries) cache.clear();
  cache[path] = Entry{before, hex};
  return hex;
}

uint64_t FileMd5Cache::HashedCount() {
  std::lock_guard<std::mutex> hold(cacheLock);
  return hashed;
}

}  // namespace qm
