#include "ThreadCensus.h"

#include <tlhelp32.h>

namespace demo {

namespace {

using QueryThreadFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kThreadWin32StartAddress = 9;  // ThreadQuerySetWin32StartAddress

QueryThreadFn QueryThread() {
  static const auto query = reinterpret_cast<QueryThreadFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  return query;
}

// 1 when the thread began in module, 0 when elsewhere, -1 when its start cannot be read.
int StartedIn(DWORD threadId, HMODULE module) {
  const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
  if (!thread) return -1;
  void* start = nullptr;
  const bool read = QueryThread() && QueryThread()(thread, kThreadWin32StartAddress, &start, sizeof(start), nullptr) == 0;
  CloseHandle(thread);
  if (!read) return -1;
  HMODULE owner = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(start), &owner);
  return owner == module ? 1 : 0;
}

std::wstring Figure(long value) { return value < 0 ? L"?" : std::to_wstring(value); }

}  // namespace

ThreadCensus::Counts ThreadCensus::Take(HMODULE module) {
  Counts counts;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return counts;
  const DWORD process = GetCurrentProcessId();
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  counts.threads = 0;
  long inModule = module ? 0 : -1;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != process) continue;
    ++counts.threads;
    if (inModule < 0) continue;
    const int started = StartedIn(entry.th32ThreadID, module);
    inModule = started < 0 ? -1 : inModule + started;
  }
  CloseHandle(snapshot);
  counts.startedInModule = inModule;
  return counts;
}

std::wstring ThreadCensus::Text(HMODULE module) {
  const Counts counts = Take(module);
  return L"threads " + Figure(counts.threads) + L", module threads " + Figure(counts.startedInModule);
}

}  // namespace demo
