#include "DemoHost.h"

#include "DemoAccessibility.h"
#include "DemoClicker.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "FootprintLog.h"
#include "ProcessCounts.h"
#include "UiCallProbe.h"

#include "family/ActivityInterfaces.h"
#include "product/HostSystem.h"
#include "diagnostics/ProductDiagnostics.h"
#include "strategy/PopExplainer.h"
#include "utils/FileUtil.h"
#include "utils/ModulePaths.h"
#include "utils/TextEncoding.h"

namespace demo {

namespace {

using DllGetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, LPVOID*);

const wchar_t kLogLevelKey[] = L"Software\\Vendra\\antivirus\\sysopt";
const wchar_t kLogLevelValue[] = L"LogLevel";
// The pop-up's window title (its layout's "title").
const wchar_t kPopUpTitle[] = L"\u65b0\u7528\u6237\u4e13\u4eab";

std::wstring ExecutablePath() { return qm::ModulePaths::Executable(); }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// The bytes of a file from offset on ("" when it is shorter or missing).
std::string ReadFrom(const std::wstring& path, size_t offset) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return {};
  std::string bytes;
  if (_fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0) {
    char chunk[65536];
    for (size_t read; (read = fread(chunk, 1, sizeof(chunk), file)) > 0;) bytes.append(chunk, read);
  }
  fclose(file);
  return bytes;
}

size_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<size_t>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

void Print(const std::wstring& text) {
  const std::string utf8 = qm::encoding::WideToUtf8(text);
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  fflush(stdout);
}

}  // namespace

// The value the module of this architecture reads (no view flag, as the module opens it).
bool DemoHost::WriteLogLevel(std::optional<unsigned long> level) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kLogLevelKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const DWORD value = level.value_or(0);
  const LSTATUS status = level ? RegSetValueExW(key, kLogLevelValue, 0, REG_DWORD,
                                                reinterpret_cast<const BYTE*>(&value), sizeof(value))
                               : RegDeleteValueW(key, kLogLevelValue);
  RegCloseKey(key);
  return status == ERROR_SUCCESS || (!level && status == ERROR_FILE_NOT_FOUND);
}

std::optional<unsigned long> DemoHost::ReadLogLevel() {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kLogLevelKey, kLogLevelValue, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::wstring DemoHost::ModulePath() const {
  return options_.modulePath.empty() ? FolderOf(ExecutablePath()) + L"pagesdkutil.dll" : options_.modulePath;
}

std::wstring DemoHost::LogPath(const std::wstring& modulePath) const {
  std::wstring stem = FileNameOf(ExecutablePath());
  stem = stem.substr(0, stem.find_last_of(L'.'));
  return FolderOf(ExecutablePath()) + L"log\\" + stem + L"." + FileNameOf(modulePath) + L".log";
}

int DemoHost::Run() {
  if (options_.diagnose) {
    product::Win32HostSystem system(ModulePath());
    Print(diagnostics::ProductDiagnostics::Describe(system) + L"\n");
    return 0;
  }
  if (options_.explain) {
    std::wstring output;
    const int exitCode = strategy::PopExplainer::Run(ModulePath(), options_.scene, options_.json, output);
    Print(output);
    return exitCode;
  }
  if (!options_.logLevel) return RunWithModule();
  // The machine's own setting comes back after the demo.
  const std::optional<unsigned long> previous = ReadLogLevel();
  if (!WriteLogLevel(options_.logLevel)) {
    Print(L"demo: could not write LogLevel\n");
    return 2;
  }
  const int exitCode = RunWithModule();
  WriteLogLevel(previous);
  return exitCode;
}

int DemoHost::RunWithModule() {
  const std::wstring modulePath = ModulePath();
  const std::wstring logPath = LogPath(modulePath);
  logPath_ = logPath;
  logStart_ = SizeOf(logPath);

  module_ = LoadLibraryExW(modulePath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  HMODULE module = module_;
  if (!module) {
    Print(L"demo: cannot load " + modulePath + L" (error " + std::to_wstring(GetLastError()) + L")\n");
    return 2;
  }
  // The host and the module it loads are always of one architecture.
  Print(L"demo: loaded " + modulePath + (sizeof(void*) == 4 ? L" (i686, 32-bit)" : L" (x86_64, 64-bit)") + L"\n");
  if (options_.probeInitialize && !UiCallProbe::Install(module)) {
    Print(L"demo: the module's imports could not be counted\n");
  }
  if (options_.footprint) Print(FootprintLog::SourcesLine());
  FootprintLog::SetModule(module);
  const int exitCode = RunSession(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  FootprintLog::SetModule(nullptr);
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  Footprint(L"after FreeLibrary");

  Print(L"demo: the module logged to " + logPath + L":\n");
  const std::string log = qm::FileUtil::ReadAll(logPath);
  // After cycles, the last session's lines.
  Print(qm::encoding::Utf8ToWide(log.size() > logStart_ ? log.substr(logStart_) : std::string()));
  return exitCode;
}

int DemoHost::RunSession(void* factoryExport) {
  if (!factoryExport) {
    Print(L"demo: the module has no DllGetClassObject export\n");
    return 2;
  }
  std::unique_ptr<UiWatchdog> watchdog;
  if (options_.watchUi) {
    watchdog = std::make_unique<UiWatchdog>(kPopUpTitle);
    if (!watchdog->Start()) {
      Print(L"demo: the UI watchdog could not start\n");
      watchdog.reset();
    }
  }
  watchdog_ = watchdog.get();
  const int exitCode = options_.cycles > 0 ? RunCycles(factoryExport) : RunOnce(factoryExport, true).exitCode;
  if (watchdog) {
    watchdog->Stop();
    PrintStalls(*watchdog);
  }
  watchdog_ = nullptr;
  return exitCode;
}

// Between the host's own steps the UI thread answers what is waiting, so that a wait is charged
// to the step that caused it.
void DemoHost::Enter(UiWatchdog::Phase phase) {
  if (!watchdog_) return;
  UiWatchdog::PumpFor(0);
  watchdog_->SetPhase(phase);
}

void DemoHost::PrintStalls(const UiWatchdog& watchdog) const {
  std::wstring phases;
  for (int phase = 0; phase < UiWatchdog::kPhaseCount; ++phase) {
    const auto each = static_cast<UiWatchdog::Phase>(phase);
    phases += std::wstring(phase ? L", " : L"") + UiWatchdog::PhaseName(each) + L" " +
              std::to_wstring(watchdog.LongestOutside(each));
  }
  Print(L"demo: longest UI stall " + std::to_wstring(watchdog.LongestOutside()) + L" ms (outside the pop-up's loop; " +
        phases + L" ms)\n");
  Print(L"demo: longest UI stall inside the pop-up's loop " + std::to_wstring(watchdog.LongestInsideLoop()) +
        L" ms\n");
}

DemoHost::SessionResult DemoHost::RunOnce(void* factoryExport, bool verbose) {
  SessionResult session;
  auto factory = reinterpret_cast<DllGetClassObjectFn>(factoryExport);
  PAGESDKUTIL::IActivityUtil* activity = nullptr;
  const HRESULT hr = factory(GUID{}, PAGESDKUTIL::kActivityInterfaceId, reinterpret_cast<void**>(&activity));
  if (FAILED(hr) || !activity) {
    Print(L"demo: DllGetClassObject failed\n");
    session.exitCode = 2;
    return session;
  }
  Footprint(L"before Initialize");
  Enter(UiWatchdog::kInitialize);
  InitializeMeasured(*activity);
  Enter(UiWatchdog::kWaiting);
  Footprint(L"after Initialize");
  WaitForFirstRefresh();
  Enter(UiWatchdog::kHost);
  Footprint(L"before the exit scene");
  OfferExitScene(*activity, session, verbose);
  Footprint(L"after the exit scene");
  Enter(UiWatchdog::kUninitialize);
  const ULONGLONG before = GetTickCount64();
  activity->Uninitialize();
  session.uninitializeMs = GetTickCount64() - before;
  Enter(UiWatchdog::kHost);
  if (verbose) Print(L"demo: Uninitialize took " + std::to_wstring(session.uninitializeMs) + L" ms\n");
  Footprint(L"after Uninitialize");
  activity->Release();
  Footprint(L"after Release");
  return session;
}

// With --probe-initialize: how long the host's UI thread was held, and what for.
void DemoHost::InitializeMeasured(PAGESDKUTIL::IActivityUtil& activity) const {
  if (!options_.probeInitialize) {
    activity.Initialize();
    return;
  }
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  UiCallProbe::Begin();
  QueryPerformanceCounter(&start);
  activity.Initialize();
  QueryPerformanceCounter(&end);
  const UiCallProbe::Counts counts = UiCallProbe::End();
  wchar_t took[32] = {};
  swprintf(took, 32, L"%.2f", double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
  Print(L"demo: Initialize took " + std::wstring(took) + L" ms; on the UI thread meanwhile: " + counts.ToText() +
        L"\n");
}

void DemoHost::OfferExitScene(PAGESDKUTIL::IActivityUtil& activity, SessionResult& session, bool verbose) {
  DemoClicker::Target target = DemoClicker::Target::kNone;
  DemoClicker::ParseTarget(options_.click, target);
  DemoClicker clicker(target, options_.screenshot, kPopUpTitle);
  clicker.set_pause(static_cast<DWORD>(options_.clickAfterMs));
  std::vector<DemoKeys::Key> keys;
  if (DemoKeys::Parse(options_.keys, keys)) clicker.set_keys(keys);
  std::wstring shown;  // written on the clicker's thread, read after it has ended
  if (options_.footprint || options_.accessibility) {
    const bool footprint = options_.footprint, accessibility = options_.accessibility;
    clicker.set_on_shown([&shown, footprint, accessibility](HWND window) {
      if (footprint) shown = FootprintLog::Line(L"while the pop-up shows");
      if (accessibility) shown += DemoAccessibility::Describe(window);
    });
  }
  clicker.Start();
  Enter(UiWatchdog::kExitScene);
  session.shown = activity.ShowExitSceneActivityDlg(options_.scene, &session.shownNotAccepted);
  Enter(UiWatchdog::kHost);
  clicker.Finish();
  // With cycles, the tree is asked for every session and printed for the first.
  if (!shown.empty() && (verbose || !options_.accessibility || options_.footprint || !treePrinted_)) Print(shown);
  treePrinted_ = treePrinted_ || options_.accessibility;
  if (clicker.saved_screenshot()) Print(L"demo: screenshot of the pop-up saved to " + options_.screenshot + L"\n");
  if (verbose) {
    Print(L"demo: exit scene " + std::to_wstring(options_.scene) + L": shown=" + (session.shown ? L"true" : L"false") +
          L" shown_not_accepted=" + (session.shownNotAccepted ? L"true" : L"false") + L"\n");
  }
}

void DemoHost::Footprint(const wchar_t* stage) const {
  if (options_.footprint) Print(FootprintLog::Line(stage));
}

// The show record, edited as a person would: the value goes back to 0 and the rest stays.
void DemoHost::ForgetShow() const {
  if (options_.forgetShowFile.empty()) return;
  std::string text = qm::FileUtil::ReadAll(options_.forgetShowFile);
  const std::string key = "last_show_time";
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + key.size())) {
    const size_t equals = text.find('=', at + key.size());
    if (equals == std::string::npos) break;
    const size_t end = text.find_first_of("\r\n", equals);
    text = text.substr(0, equals + 1) + "0" + (end == std::string::npos ? std::string() : text.substr(end));
  }
  qm::FileUtil::WriteAll(options_.forgetShowFile, text);
}

int DemoHost::RunCycles(void* factoryExport) {
  Print(L"demo: counts from " + ProcessCounts::Sources() + L"\n");
  Print(L"demo: cycle 0: " + ProcessCounts::Take().ToText() + L"\n");
  int shown = 0;
  unsigned long long longestUninitialize = 0;
  for (int cycle = 1; cycle <= options_.cycles; ++cycle) {
    if (cycle > 1) ForgetShow();
    if (cycle > 1 && options_.reload && !(factoryExport = ReloadModule())) return 2;
    logStart_ = SizeOf(logPath_);
    const SessionResult session = RunOnce(factoryExport, false);
    if (session.exitCode != 0) return session.exitCode;
    shown += session.shown ? 1 : 0;
    if (session.uninitializeMs > longestUninitialize) longestUninitialize = session.uninitializeMs;
    Print(L"demo: cycle " + std::to_wstring(cycle) + L": shown=" + (session.shown ? L"true" : L"false") +
          L" shown_not_accepted=" + (session.shownNotAccepted ? L"true" : L"false") + L", Uninitialize " +
          std::to_wstring(session.uninitializeMs) + L" ms\n");
    if (cycle == 1 || cycle % 20 == 0 || cycle == options_.cycles) {
      if (watchdog_) UiWatchdog::PumpFor(0);
      Print(L"demo: cycle " + std::to_wstring(cycle) + L": " + ProcessCounts::Take().ToText() + L"\n");
    }
  }
  Print(L"demo: cycles: " + std::to_wstring(shown) + L" of " + std::to_wstring(options_.cycles) +
        L" shown, longest Uninitialize " + std::to_wstring(longestUninitialize) + L" ms\n");
  return 0;
}

// Frees the module and loads it again while its old address range is reserved, so that the new
// image lands elsewhere: whatever the old load left behind that points into it shows.
void* DemoHost::ReloadModule() {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module_);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module_) + dos->e_lfanew);
  void* oldBase = module_;
  const SIZE_T imageSize = nt->OptionalHeader.SizeOfImage;
  FreeLibrary(module_);
  module_ = nullptr;
  void* held = VirtualAlloc(oldBase, imageSize, MEM_RESERVE, PAGE_NOACCESS);
  module_ = LoadLibraryExW(ModulePath().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  FootprintLog::SetModule(module_);
  if (held) VirtualFree(held, 0, MEM_RELEASE);
  if (!module_) {
    Print(L"demo: cannot load the module again (error " + std::to_wstring(GetLastError()) + L")\n");
    return nullptr;
  }
  wchar_t addresses[64] = {};
  swprintf(addresses, 64, L"%p -> %p", oldBase, static_cast<void*>(module_));
  Print(L"demo: module reloaded: " + std::wstring(addresses) + L"\n");
  return reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject"));
}

// The worker logs its refresh; a refresh it skips (nothing to show) ends with a gate's refusal
// after "IsNeedUpdateSource Start" and no "Finish". Without DEBUG lines there is nothing to read.
void DemoHost::WaitForFirstRefresh() const {
  if (options_.waitRefreshSeconds <= 0 || options_.logLevel.value_or(1) != 0) return;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(options_.waitRefreshSeconds) * 1000;
  size_t lastSize = 0;
  ULONGLONG quietSince = GetTickCount64();
  while (GetTickCount64() < deadline) {
    const std::string session = ReadFrom(logPath_, logStart_);
    if (session.find("NewUserDiscount update resource success") != std::string::npos) {
      Print(L"demo: the pop-up's first refresh finished\n");
      return;
    }
    const size_t start = session.find("IsNeedUpdateSource Start");
    const bool skipped = start != std::string::npos && session.find("IsNeedUpdateSource Finish", start) == std::string::npos;
    if (session.size() != lastSize) {
      lastSize = session.size();
      quietSince = GetTickCount64();
    } else if (skipped && GetTickCount64() - quietSince > 1000) {
      Print(L"demo: the pop-up's first refresh was skipped (nothing to refresh)\n");
      return;
    }
    UiWatchdog::PumpFor(50);  // an idle host's UI thread keeps answering
  }
  Print(L"demo: the pop-up's first refresh did not finish within " + std::to_wstring(options_.waitRefreshSeconds) +
        L" s\n");
}

}  // namespace demo
