#include "UiCallHooks.h"

#include <windows.h>
#include <shellapi.h>
#include <winhttp.h>

#include <cstring>
#include <cwchar>

#include "UiCallProbe.h"

namespace demo {

namespace {

// The real functions, as the first patched import table held them.
DWORD(WINAPI* realWaitOne)(HANDLE, DWORD) = nullptr;
DWORD(WINAPI* realWaitOneEx)(HANDLE, DWORD, BOOL) = nullptr;
DWORD(WINAPI* realWaitMany)(DWORD, const HANDLE*, BOOL, DWORD) = nullptr;
DWORD(WINAPI* realWaitManyEx)(DWORD, const HANDLE*, BOOL, DWORD, BOOL) = nullptr;
DWORD(WINAPI* realMsgWait)(DWORD, const HANDLE*, BOOL, DWORD, DWORD) = nullptr;
DWORD(WINAPI* realMsgWaitEx)(DWORD, const HANDLE*, DWORD, DWORD, DWORD) = nullptr;
DWORD(WINAPI* realSignalAndWait)(HANDLE, HANDLE, DWORD, BOOL) = nullptr;
void(WINAPI* realSleep)(DWORD) = nullptr;
DWORD(WINAPI* realSleepEx)(DWORD, BOOL) = nullptr;
BOOL(WINAPI* realCreateProcessW)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                                 LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = nullptr;
BOOL(WINAPI* realCreateProcessA)(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                                 LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION) = nullptr;
BOOL(WINAPI* realShellExecuteExW)(SHELLEXECUTEINFOW*) = nullptr;
HINSTANCE(WINAPI* realShellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = nullptr;
HANDLE(WINAPI* realCreateFileW)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = nullptr;
BOOL(WINAPI* realWaitNamedPipeW)(LPCWSTR, DWORD) = nullptr;
BOOL(WINAPI* realCallNamedPipeW)(LPCWSTR, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, DWORD) = nullptr;
HINTERNET(WINAPI* realWinHttpConnect)(HINTERNET, LPCWSTR, INTERNET_PORT, DWORD) = nullptr;
BOOL(WINAPI* realWinHttpSendRequest)(HINTERNET, LPCWSTR, DWORD, LPVOID, DWORD, DWORD, DWORD_PTR) = nullptr;
BOOL(WINAPI* realWinHttpReceiveResponse)(HINTERNET, LPVOID) = nullptr;
HMODULE(WINAPI* realLoadLibraryW)(LPCWSTR) = nullptr;
HMODULE(WINAPI* realLoadLibraryA)(LPCSTR) = nullptr;
HMODULE(WINAPI* realLoadLibraryExW)(LPCWSTR, HANDLE, DWORD) = nullptr;
HMODULE(WINAPI* realLoadLibraryExA)(LPCSTR, HANDLE, DWORD) = nullptr;
int(WINAPI* realGdiplusStartup)(ULONG_PTR*, const void*, void*) = nullptr;
int(WINAPI* realGdipPrivateAddFontFile)(void*, const WCHAR*) = nullptr;
HFONT(WINAPI* realCreateFontIndirectW)(const LOGFONTW*) = nullptr;

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool AnyProcess(const HANDLE* handles, DWORD count) {
  const DWORD error = GetLastError();
  bool found = false;
  for (DWORD i = 0; handles && i < count && !found; ++i) found = GetProcessId(handles[i]) != 0;
  SetLastError(error);
  return found;
}

// A wait with a time-out of 0 only looks; everything else is timed, on the counted thread only.
template <typename Call>
auto Timed(DWORD timeout, const HANDLE* handles, DWORD count, Call call) {
  if (timeout == 0 || !UiCallProbe::Counting()) return call();
  const bool onProcess = AnyProcess(handles, count);
  const double start = NowMs();
  auto result = call();
  const DWORD error = GetLastError();
  UiCallProbe::RecordWait(NowMs() - start, onProcess);
  SetLastError(error);
  return result;
}

DWORD WINAPI WaitOne(HANDLE handle, DWORD timeout) {
  return Timed(timeout, &handle, 1, [&] { return realWaitOne(handle, timeout); });
}
DWORD WINAPI WaitOneEx(HANDLE handle, DWORD timeout, BOOL alertable) {
  return Timed(timeout, &handle, 1, [&] { return realWaitOneEx(handle, timeout, alertable); });
}
DWORD WINAPI WaitMany(DWORD count, const HANDLE* handles, BOOL all, DWORD timeout) {
  return Timed(timeout, handles, count, [&] { return realWaitMany(count, handles, all, timeout); });
}
DWORD WINAPI WaitManyEx(DWORD count, const HANDLE* handles, BOOL all, DWORD timeout, BOOL alertable) {
  return Timed(timeout, handles, count, [&] { return realWaitManyEx(count, handles, all, timeout, alertable); });
}
DWORD WINAPI MsgWait(DWORD count, const HANDLE* handles, BOOL all, DWORD timeout, DWORD mask) {
  return Timed(timeout, handles, count, [&] { return realMsgWait(count, handles, all, timeout, mask); });
}
DWORD WINAPI MsgWaitEx(DWORD count, const HANDLE* handles, DWORD timeout, DWORD mask, DWORD flags) {
  return Timed(timeout, handles, count, [&] { return realMsgWaitEx(count, handles, timeout, mask, flags); });
}
DWORD WINAPI SignalAndWait(HANDLE signal, HANDLE handle, DWORD timeout, BOOL alertable) {
  return Timed(timeout, &handle, 1, [&] { return realSignalAndWait(signal, handle, timeout, alertable); });
}
void WINAPI SleepHook(DWORD milliseconds) {
  Timed(milliseconds, nullptr, 0, [&] { return realSleep(milliseconds), 0; });
}
DWORD WINAPI SleepExHook(DWORD milliseconds, BOOL alertable) {
  return Timed(milliseconds, nullptr, 0, [&] { return realSleepEx(milliseconds, alertable); });
}

BOOL WINAPI CreateProcessWHook(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                               LPCWSTR folder, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION information) {
  UiCallProbe::Record(UiCallProbe::kProcessStart);
  return realCreateProcessW(application, commandLine, processAttributes, threadAttributes, inherit, flags,
                            environment, folder, startup, information);
}
BOOL WINAPI CreateProcessAHook(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                               LPCSTR folder, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION information) {
  UiCallProbe::Record(UiCallProbe::kProcessStart);
  return realCreateProcessA(application, commandLine, processAttributes, threadAttributes, inherit, flags,
                            environment, folder, startup, information);
}
BOOL WINAPI ShellExecuteExWHook(SHELLEXECUTEINFOW* info) {
  UiCallProbe::Record(UiCallProbe::kProcessStart);
  return realShellExecuteExW(info);
}
HINSTANCE WINAPI ShellExecuteWHook(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                   INT show) {
  UiCallProbe::Record(UiCallProbe::kProcessStart);
  return realShellExecuteW(window, verb, file, parameters, folder, show);
}

HANDLE WINAPI CreateFileWHook(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES attributes,
                              DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (name && _wcsnicmp(name, L"\\\\.\\pipe\\", 9) == 0) UiCallProbe::Record(UiCallProbe::kPipe);
  return realCreateFileW(name, access, share, attributes, disposition, flags, templateFile);
}
BOOL WINAPI WaitNamedPipeWHook(LPCWSTR name, DWORD timeout) {
  UiCallProbe::Record(UiCallProbe::kPipe);
  return Timed(timeout, nullptr, 0, [&] { return realWaitNamedPipeW(name, timeout); });
}
BOOL WINAPI CallNamedPipeWHook(LPCWSTR name, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD read,
                               DWORD timeout) {
  UiCallProbe::Record(UiCallProbe::kPipe);
  return Timed(timeout, nullptr, 0, [&] { return realCallNamedPipeW(name, in, inSize, out, outSize, read, timeout); });
}

HINTERNET WINAPI WinHttpConnectHook(HINTERNET session, LPCWSTR server, INTERNET_PORT port, DWORD reserved) {
  UiCallProbe::Record(UiCallProbe::kNetwork);
  return realWinHttpConnect(session, server, port, reserved);
}
BOOL WINAPI WinHttpSendRequestHook(HINTERNET request, LPCWSTR headers, DWORD headersLength, LPVOID body,
                                   DWORD bodyLength, DWORD totalLength, DWORD_PTR context) {
  UiCallProbe::Record(UiCallProbe::kNetwork);
  return realWinHttpSendRequest(request, headers, headersLength, body, bodyLength, totalLength, context);
}
BOOL WINAPI WinHttpReceiveResponseHook(HINTERNET request, LPVOID reserved) {
  UiCallProbe::Record(UiCallProbe::kNetwork);
  return realWinHttpReceiveResponse(request, reserved);
}

// A library loaded now may be a stand-in whose own imports must be counted too.
template <typename Call>
HMODULE Loaded(Call call) {
  const bool timed = UiCallProbe::Counting();
  const double start = timed ? NowMs() : 0;
  const HMODULE module = call();
  const DWORD error = GetLastError();
  if (timed) UiCallProbe::RecordLoad(NowMs() - start);
  if (module) UiCallProbe::PatchNewModules();
  SetLastError(error);
  return module;
}
HMODULE WINAPI LoadLibraryWHook(LPCWSTR name) {
  return Loaded([&] { return realLoadLibraryW(name); });
}
HMODULE WINAPI LoadLibraryAHook(LPCSTR name) {
  return Loaded([&] { return realLoadLibraryA(name); });
}
HMODULE WINAPI LoadLibraryExWHook(LPCWSTR name, HANDLE file, DWORD flags) {
  return Loaded([&] { return realLoadLibraryExW(name, file, flags); });
}
HMODULE WINAPI LoadLibraryExAHook(LPCSTR name, HANDLE file, DWORD flags) {
  return Loaded([&] { return realLoadLibraryExA(name, file, flags); });
}

// The skin engine's set-up, on any thread: whether GDI+ was started and fonts were made at all.
int WINAPI GdiplusStartupHook(ULONG_PTR* token, const void* input, void* output) {
  UiCallProbe::RecordEngine(UiCallProbe::kGdiplusStartup);
  return realGdiplusStartup(token, input, output);
}
int WINAPI GdipPrivateAddFontFileHook(void* collection, const WCHAR* file) {
  UiCallProbe::RecordEngine(UiCallProbe::kFontMade);
  return realGdipPrivateAddFontFile(collection, file);
}
HFONT WINAPI CreateFontIndirectWHook(const LOGFONTW* font) {
  UiCallProbe::RecordEngine(UiCallProbe::kFontMade);
  return realCreateFontIndirectW(font);
}

template <typename Function>
UiCallHooks::Entry Hook(const char* name, Function replacement, Function& original) {
  return {name, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(&original)};
}

const UiCallHooks::Entry kEntries[] = {
    Hook("WaitForSingleObject", &WaitOne, realWaitOne),
    Hook("WaitForSingleObjectEx", &WaitOneEx, realWaitOneEx),
    Hook("WaitForMultipleObjects", &WaitMany, realWaitMany),
    Hook("WaitForMultipleObjectsEx", &WaitManyEx, realWaitManyEx),
    Hook("MsgWaitForMultipleObjects", &MsgWait, realMsgWait),
    Hook("MsgWaitForMultipleObjectsEx", &MsgWaitEx, realMsgWaitEx),
    Hook("SignalObjectAndWait", &SignalAndWait, realSignalAndWait),
    Hook("Sleep", &SleepHook, realSleep),
    Hook("SleepEx", &SleepExHook, realSleepEx),
    Hook("CreateProcessW", &CreateProcessWHook, realCreateProcessW),
    Hook("CreateProcessA", &CreateProcessAHook, realCreateProcessA),
    Hook("ShellExecuteExW", &ShellExecuteExWHook, realShellExecuteExW),
    Hook("ShellExecuteW", &ShellExecuteWHook, realShellExecuteW),
    Hook("CreateFileW", &CreateFileWHook, realCreateFileW),
    Hook("WaitNamedPipeW", &WaitNamedPipeWHook, realWaitNamedPipeW),
    Hook("CallNamedPipeW", &CallNamedPipeWHook, realCallNamedPipeW),
    Hook("WinHttpConnect", &WinHttpConnectHook, realWinHttpConnect),
    Hook("WinHttpSendRequest", &WinHttpSendRequestHook, realWinHttpSendRequest),
    Hook("WinHttpReceiveResponse", &WinHttpReceiveResponseHook, realWinHttpReceiveResponse),
    Hook("LoadLibraryW", &LoadLibraryWHook, realLoadLibraryW),
    Hook("LoadLibraryA", &LoadLibraryAHook, realLoadLibraryA),
    Hook("LoadLibraryExW", &LoadLibraryExWHook, realLoadLibraryExW),
    Hook("LoadLibraryExA", &LoadLibraryExAHook, realLoadLibraryExA),
    Hook("GdiplusStartup", &GdiplusStartupHook, realGdiplusStartup),
    Hook("GdipPrivateAddFontFile", &GdipPrivateAddFontFileHook, realGdipPrivateAddFontFile),
    Hook("CreateFontIndirectW", &CreateFontIndirectWHook, realCreateFontIndirectW),
};

}  // namespace

const UiCallHooks::Entry* UiCallHooks::Find(const char* name) {
  for (const Entry& entry : kEntries) {
    if (std::strcmp(entry.name, name) == 0) return &entry;
  }
  return nullptr;
}

}  // namespace demo
