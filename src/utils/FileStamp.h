#pragma once

#include <cstdint>
#include <string>

namespace qm {

// What tells one version of a file from the next without reading it: whether it is there, its size,
// its last write and its last change (a file moved over the path, or given back an old write time,
// changes then, whatever its size and write time). A folder at the path counts as no file.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  uint64_t written = 0;
  uint64_t changed = 0;

  bool operator==(const FileStamp&) const = default;

  static FileStamp Of(const std::wstring& path);
};

}  // namespace qm
