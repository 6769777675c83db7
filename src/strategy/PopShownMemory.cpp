#include "strategy/PopShownMemory.h"

#include <mutex>

#include "utils/FileStamp.h"

namespace strategy {

namespace {

// The strategy reads on the UI thread and on the pop-up's worker.
struct Memory {
  std::mutex lock;
  bool shown = false;
  std::wstring file;
  qm::FileStamp stamp;
};

Memory& TheMemory() {
  static Memory memory;  // goes with the module, its lock with it
  return memory;
}

}  // namespace

void PopShownMemory::MarkShown(const std::wstring& stateFile) {
  const qm::FileStamp stamp = qm::FileStamp::Of(stateFile);
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
  const qm::FileStamp now = qm::FileStamp::Of(stateFile);
  std::lock_guard<std::mutex> guard(memory.lock);
  return memory.shown && memory.file == stateFile && memory.stamp == now;
}

}  // namespace strategy
