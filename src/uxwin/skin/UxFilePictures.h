#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "utils/FileStamp.h"

namespace Gdiplus {
class Bitmap;
}

// Pictures decoded from files chosen at run time, once per file version (path, size, last-write
// time): a broken file can take the system's decoder seconds to refuse, so neither a repaint nor
// a second look decodes the same version again. A decoded picture lives as long as someone holds
// it; a refusal is remembered for its version.
class UxFilePictures {
 public:
  // Larger pictures are refused unread: nothing the engine lays out needs them, and a forged
  // header must not make the decoder allocate gigabytes.
  static constexpr uint32_t kMaxSide = 4096;
  static constexpr size_t kMaxBytes = 16u << 20;

  static UxFilePictures& Instance();

  // The file's picture as the file is now; null when it is missing, empty, not a picture the
  // decoder takes, or larger than kMaxSide on a side.
  std::shared_ptr<Gdiplus::Bitmap> Get(const std::wstring& path);

  // Whether the bytes start a PNG whose header gives a side of 0 or above kMaxSide.
  static bool HeaderTooLarge(const std::string& bytes);
  // How many times a file was decoded since the process started (for tests).
  size_t decodes() const { return decodes_; }

 private:
  struct Entry {
    qm::FileStamp version;
    std::weak_ptr<Gdiplus::Bitmap> picture;
    bool refused = false;
  };

  std::shared_ptr<Gdiplus::Bitmap> Decode(const std::wstring& path);
  void ForgetUnused();

  std::mutex lock_;
  std::map<std::wstring, Entry> entries_;  // by lower-case path
  size_t decodes_ = 0;
};
