#include "strategy/PopShownMemory.h"

#include <windows.h>

#include <cstdint>
#include <mutex>

namespace strategy {

namespace {

// What tells one version of the file from the next: whether it exists, its size and last write.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  uint64_t written = 0;

  bool operator==(const FileStamp&) const = default;

  static FileStamp Of(const std::wstring& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return stamp;
  }
};

// The strategy reads on the UI thread and on the pop-up's worker.
struct Memory {
  std::mutex lock;
  bool shown = false;
  std::wstring file;
  FileStamp stamp;
};

Memory& TheMemory() {
  static Memory memory;  // goes with the module, its lock with it
  return memory;
}

}  // namespace

void PopShownMemory::MarkShown(const std::wstring& stateFile) {
  const FileStamp stamp = FileStamp::Of(stateFile);
  Memory& memory = TheMemory();
  std::lock_guard<std::mutex> guard(memory.lock);
  memory.shown = true;
  memory.file = stateFile;
  memory.stamp = stamp;
}

bool PopShownMemory::ShownInProcess(const std::wstring& stateFile) {
  Memory& memory = TheMemory();
  {
    std::lock_guard<std::mutex> guard(memory.lock);
    if (!memory.shown || memory.file != stateFile) return false;
  }
  const FileStamp now = FileStamp::Of(stateFile);
  std::lock_guard<std::mutex> guard(memory.lock);
  return memory.shown && memory.file == stateFile && memory.stamp == now;
}

}  // namespace strategy
