#include "UiCallProbe.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <set>
#include <vector>

#include "UiCallHooks.h"

namespace demo {

namespace {

std::atomic<bool> counting{false};
std::atomic<DWORD> countedThread{0};
std::atomic<unsigned long> calls[3];  // by UiCallProbe::Kind
std::atomic<unsigned long> processWaits{0};
std::atomic<unsigned long> waits{0};
std::atomic<long long> waitMicros{0};
std::atomic<long long> longestMicros{0};
std::atomic<bool> installed{false};
std::atomic<unsigned long> loads{0};
std::atomic<long long> loadMicros{0};
std::atomic<unsigned long> engineCalls[2];  // by UiCallProbe::EngineKind

std::mutex patchLock;
std::set<HMODULE> seen;      // patched, or left alone (Windows' own libraries, the host)
std::wstring windowsFolder;  // lower case, with a trailing backslash

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

bool IsWindowsOwn(HMODULE module) {
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH * 2);
  return length == 0 || Lower(std::wstring(path, length)).rfind(windowsFolder, 0) == 0;
}

void PatchSlot(IMAGE_THUNK_DATA* slot, const UiCallHooks::Entry& hook) {
  void* current = reinterpret_cast<void*>(slot->u1.Function);
  if (current == hook.replacement) return;
  if (!*hook.original) *hook.original = current;
  DWORD old = 0;
  if (!VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &old)) return;
  slot->u1.Function = reinterpret_cast<ULONG_PTR>(hook.replacement);
  VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), old, &old);
}

// Imports by name only (the lookup table names them); false without an import table.
bool PatchImports(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return false;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); entry->Name;
       ++entry) {
    if (entry->OriginalFirstThunk == 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (const UiCallHooks::Entry* hook = UiCallHooks::Find(reinterpret_cast<const char*>(byName->Name))) {
        PatchSlot(slots, *hook);
      }
    }
  }
  return true;
}

std::wstring Milliseconds(double value) {
  wchar_t text[32] = {};
  swprintf(text, 32, L"%.2f", value);
  return text;
}

}  // namespace

bool UiCallProbe::Install(HMODULE module) {
  {
    std::lock_guard<std::mutex> hold(patchLock);
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
    windowsFolder = Lower(std::wstring(folder, length));
    if (!windowsFolder.empty() && windowsFolder.back() != L'\\') windowsFolder += L'\\';
    seen.insert(GetModuleHandleW(nullptr));  // the host's own calls are not the module's
    if (!seen.insert(module).second || !PatchImports(module)) return false;
  }
  PatchNewModules();
  installed = true;
  return true;
}

void UiCallProbe::PatchNewModules() {
  std::lock_guard<std::mutex> hold(patchLock);
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (!EnumProcessModules(GetCurrentProcess(), modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                          &needed)) {
    return;
  }
  modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    if (!seen.insert(module).second || IsWindowsOwn(module)) continue;
    PatchImports(module);
  }
}

void UiCallProbe::Begin() {
  for (auto& each : calls) each = 0;
  processWaits = 0;
  waits = 0;
  waitMicros = 0;
  longestMicros = 0;
  loads = 0;
  loadMicros = 0;
  countedThread = GetCurrentThreadId();
  counting = true;
}

UiCallProbe::Counts UiCallProbe::End() {
  counting = false;
  Counts counts;
  counts.networkCalls = calls[kNetwork];
  counts.pipeConnections = calls[kPipe];
  counts.processStarts = calls[kProcessStart];
  counts.processWaits = processWaits;
  counts.waits = waits;
  counts.waitMs = double(waitMicros.load()) / 1000.0;
  counts.longestWaitMs = double(longestMicros.load()) / 1000.0;
  counts.libraryLoads = loads;
  counts.libraryLoadMs = double(loadMicros.load()) / 1000.0;
  return counts;
}

bool UiCallProbe::Counting() { return counting && GetCurrentThreadId() == countedThread; }

void UiCallProbe::Record(Kind kind) {
  if (Counting()) ++calls[kind];
}

void UiCallProbe::RecordWait(double milliseconds, bool onProcess) {
  const long long micros = static_cast<long long>(milliseconds * 1000.0);
  ++waits;
  if (onProcess) ++processWaits;
  waitMicros += micros;
  long long longest = longestMicros;
  while (micros > longest && !longestMicros.compare_exchange_weak(longest, micros)) {
  }
}

void UiCallProbe::RecordEngine(EngineKind kind) { ++engineCalls[kind]; }

void UiCallProbe::RecordLoad(double milliseconds) {
  ++loads;
  loadMicros += static_cast<long long>(milliseconds * 1000.0);
}

std::wstring UiCallProbe::EngineText() {
  if (!installed) return L"";
  return L"GDI+ startups " + std::to_wstring(engineCalls[kGdiplusStartup].load()) + L", fonts made " +
         std::to_wstring(engineCalls[kFontMade].load());
}

std::wstring UiCallProbe::Counts::ToText() const {
  return L"network calls " + std::to_wstring(networkCalls) + L", pipe connections " +
         std::to_wstring(pipeConnections) + L", process starts " + std::to_wstring(processStarts) +
         L", waits on a process " + std::to_wstring(processWaits) + L", waits " + std::to_wstring(waits) + L" (" +
         Milliseconds(waitMs) + L" ms in all, longest " + Milliseconds(longestWaitMs) + L" ms), library loads " +
         std::to_wstring(libraryLoads) + L" (" + Milliseconds(libraryLoadMs) + L" ms)";
}

}  // namespace demo
