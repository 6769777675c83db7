#include "ProcessCounts.h"

#include <psapi.h>

#include <set>

namespace demo {

namespace {

// Handle values are multiples of 4 handed out from the lowest free slot; after this many refused
// values in a row no handle is left above.
constexpr size_t kHandleProbeGap = 4096;
// Wine's GDI handle table: the low word of a handle is the slot, and a zero high word matches
// whatever object the slot holds.
constexpr size_t kGdiSlots = 0x10000;

size_t ProbeHandles() {
  size_t found = 0;
  size_t misses = 0;
  for (uintptr_t value = 4; misses < kHandleProbeGap; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++found;
      misses = 0;
    } else {
      ++misses;
    }
  }
  return found;
}

size_t ProbeGdiObjects() {
  const DWORD listed = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (listed > 0) return listed;
  size_t found = 0;
  for (uintptr_t slot = 1; slot < kGdiSlots; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++found;
  }
  return found;
}

struct WindowSet {
  DWORD process = GetCurrentProcessId();
  std::set<HWND> windows;

  void AddIfOurs(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process) windows.insert(window);
  }
  static BOOL CALLBACK OnChild(HWND window, LPARAM self) {
    reinterpret_cast<WindowSet*>(self)->AddIfOurs(window);
    return TRUE;
  }
  static BOOL CALLBACK OnTop(HWND window, LPARAM self) {
    auto* set = reinterpret_cast<WindowSet*>(self);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != set->process) return TRUE;
    set->windows.insert(window);
    EnumChildWindows(window, &WindowSet::OnChild, self);
    return TRUE;
  }
};

size_t CountWindows() {
  WindowSet set;
  EnumWindows(&WindowSet::OnTop, reinterpret_cast<LPARAM>(&set));
  // Message-only windows are not top-level windows of the desktop: walk them on their own.
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
    set.AddIfOurs(window);
  }
  return set.windows.size();
}

SIZE_T CommittedPrivate() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info{};
  for (const char* address = nullptr;
       VirtualQuery(address, &info, sizeof(info)) == sizeof(info);
       address = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (info.RegionSize == 0) break;
  }
  return total;
}

}  // namespace

ProcessCounts ProcessCounts::Take() {
  ProcessCounts counts;
  counts.handles = ProbeHandles();
  counts.windows = CountWindows();
  counts.gdiObjects = ProbeGdiObjects();
  const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  counts.userObjects = userObjects > 0 ? userObjects : counts.windows;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory))) {
    counts.privateBytes = memory.PrivateUsage;
  }
  counts.committedPrivate = CommittedPrivate();
  return counts;
}

std::wstring ProcessCounts::Sources() {
  const bool gdiListed = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) > 0;
  const bool userListed = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS) > 0;
  return std::wstring(L"handles: GetHandleInformation over handle values 4, 8, ... (GetProcessHandleCount not used); ") +
         L"windows: EnumWindows + EnumChildWindows + FindWindowEx(HWND_MESSAGE); gdi: " +
         (gdiListed ? L"GetGuiResources(GR_GDIOBJECTS)" : L"GetObjectType over the GDI handle table's slots") +
         L"; user: " + (userListed ? L"GetGuiResources(GR_USEROBJECTS)" : L"the window count") +
         L"; private: GetProcessMemoryInfo PrivateUsage, and committed MEM_PRIVATE pages by VirtualQuery";
}

std::wstring ProcessCounts::ToText() const {
  return L"handles " + std::to_wstring(handles) + L", windows " + std::to_wstring(windows) + L", gdi " +
         std::to_wstring(gdiObjects) + L", user " + std::to_wstring(userObjects) + L", private " +
         std::to_wstring(privateBytes / 1024) + L" KiB, committed private " + std::to_wstring(committedPrivate / 1024) +
         L" KiB";
}

}  // namespace demo
