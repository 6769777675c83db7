// simulate.exe calls the module's code millions of times, and that code makes and drops small
// strings all the time. Under Wine every such block goes through the process heap's lock and
// free lists, which took half the run and kept the threads waiting on each other. Here each
// thread keeps its own lists of small blocks, carved from chunks that are never given back.
// A block dropped by a thread other than its maker (only the module's few statics) is left
// alone; a thread that later gets the same id may take it up, which is safe, as chunks live on.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>

namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 32;  // blocks up to 512 bytes
constexpr std::size_t kChunk = 256 * 1024;

struct alignas(16) BlockHeader {
  uint32_t sizeClass;  // 0: a large block of the process heap
  DWORD owner;
};

struct ThreadBlocks {
  DWORD owner = GetCurrentThreadId();
  void* free[kClasses] = {};
  char* chunk = nullptr;
  std::size_t left = 0;
};

// A TLS slot of Windows: thread_local goes through winpthreads' emulation here, whose locks and
// last-error saving cost more than the allocation itself.
ThreadBlocks& Blocks() {
  static const DWORD slot = TlsAlloc();
  auto* blocks = static_cast<ThreadBlocks*>(TlsGetValue(slot));
  if (!blocks) {
    void* place = HeapAlloc(GetProcessHeap(), 0, sizeof(ThreadBlocks));
    if (!place) throw std::bad_alloc();
    blocks = new (place) ThreadBlocks();  // kept for the process's life, as its chunks are
    TlsSetValue(slot, blocks);
  }
  return *blocks;
}

void* Carve(ThreadBlocks& blocks, std::size_t sizeClass) {
  const std::size_t need = sizeof(BlockHeader) + sizeClass * kGranule;
  if (blocks.left < need) {
    // 16-byte blocks whatever the heap's own alignment (8 bytes in 32-bit processes).
    auto* chunk = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, kChunk + 16));
    if (!chunk) throw std::bad_alloc();
    blocks.chunk = chunk + (16 - reinterpret_cast<uintptr_t>(chunk) % 16) % 16;
    blocks.left = kChunk;
  }
  auto* header = reinterpret_cast<BlockHeader*>(blocks.chunk);
  blocks.chunk += need;
  blocks.left -= need;
  header->sizeClass = static_cast<uint32_t>(sizeClass);
  header->owner = blocks.owner;
  return header + 1;
}

void* Allocate(std::size_t size) {
  if (size > SIZE_MAX - 2 * sizeof(BlockHeader)) throw std::bad_alloc();
  const std::size_t sizeClass = (size + kGranule - 1) / kGranule;
  if (sizeClass > kClasses) {
    auto* header = static_cast<BlockHeader*>(HeapAlloc(GetProcessHeap(), 0, sizeof(BlockHeader) + size));
    if (!header) throw std::bad_alloc();
    header->sizeClass = 0;
    return header + 1;
  }
  ThreadBlocks& blocks = Blocks();
  const std::size_t index = sizeClass ? sizeClass - 1 : 0;
  if (void* block = blocks.free[index]) {
    blocks.free[index] = *static_cast<void**>(block);
    return block;
  }
  return Carve(blocks, index + 1);
}

void Release(void* block) {
  if (!block) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  if (header->sizeClass == 0) {
    HeapFree(GetProcessHeap(), 0, header);
    return;
  }
  ThreadBlocks& blocks = Blocks();
  if (header->owner != blocks.owner) return;
  *static_cast<void**>(block) = blocks.free[header->sizeClass - 1];
  blocks.free[header->sizeClass - 1] = block;
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
