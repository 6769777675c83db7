// The simulator's threads allocate strings all the time; under Wine one process heap makes them
// wait on each other's lock. Each thread here allocates from a heap of its own (still locked, so a
// block may be freed by any thread), found again from a header before the block.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {

struct alignas(16) BlockHeader {
  HANDLE heap;
};

HANDLE ThreadHeap() {
  thread_local HANDLE heap = HeapCreate(0, 0, 0);
  return heap ? heap : GetProcessHeap();
}

void* Allocate(std::size_t size) {
  const HANDLE heap = ThreadHeap();
  auto* header = static_cast<BlockHeader*>(HeapAlloc(heap, 0, sizeof(BlockHeader) + (size ? size : 1)));
  if (!header) throw std::bad_alloc();
  header->heap = heap;
  return header + 1;
}

void Release(void* block) {
  if (!block) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  HeapFree(header->heap, 0, header);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
