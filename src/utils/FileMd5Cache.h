#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The MD5 of a file, remembered per file version (FileStamp: size, last write, last change), so an
// unchanged picture is not read again at every exit scene. The module's own downloads cannot leave
// a stale answer: they write a new file and move it over the old one, and the move is a change of
// the file at the path, at a time after the old version was written. What would not be seen is a
// same-size rewrite in place within one tick of the file system's clock, by someone else.
class FileMd5Cache {
 public:
  // Lower-case hexadecimal, or "" when the file cannot be read.
  static std::wstring HexOf(const std::wstring& path);
  // How many times a file was read and hashed in this process (for tests and benchmarks).
  static uint64_t HashedCount();
};

}  // namespace qm
