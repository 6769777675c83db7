#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
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
// it, and the last few asked for are held here too, so a window made again (or one whose pictures
// were decoded ahead of it) finds them ready; a refusal is remembered for its version.
class UxFilePictures {
 public:
  // Larger pictures are refused unread: nothing the engine lays out needs them, and a forged
  // header must not make the decoder allocate gigabytes.
  static constexpr uint32_t kMaxSide = 4096;
  static constexpr size_t kMaxBytes = 16u << 20;
  // Pictures held after their last user let go: the pop-up's three, with room to spare.
  static constexpr size_t kHeld = 6;

  static UxFilePictures& Instance();

  // The file's picture as the file is now; null when it is missing, empty, not a picture the
  // decoder takes, or larger than kMaxSide on a side.
  std::shared_ptr<Gdiplus::Bitmap> Get(const std::wstring& path);
  // Decodes the file ahead of a window that may need it, silently: a refusal is neither logged
  // nor remembered here, so the window's own Get says it where it always did.
  void Prepare(const std::wstring& path);

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
  void Hold(const std::shared_ptr<Gdiplus::Bitmap>& picture);

  std::map<std::wstring, Entry> entries_;  // by lower-case path
  std::deque<std::shared_ptr<Gdiplus::Bitmap>> held_;  // the most recent last
  size_t decodes_ = 0;
};
