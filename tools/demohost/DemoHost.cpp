#include "DemoHost.h"

#include "DemoClicker.h"

#include <windows.h>

#include <cstdio>

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
  const size_t logStart = qm::FileUtil::ReadAll(logPath).size();
  logPath_ = logPath;
  logStart_ = logStart;

  HMODULE module = LoadLibraryExW(modulePath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    Print(L"demo: cannot load " + modulePath + L" (error " + std::to_wstring(GetLastError()) + L")\n");
    return 2;
  }
  // The host and the module it loads are always of one architecture.
  Print(L"demo: loaded " + modulePath + (sizeof(void*) == 4 ? L" (i686, 32-bit)" : L" (x86_64, 64-bit)") + L"\n");
  const int exitCode = RunSession(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  FreeLibrary(module);

  Print(L"demo: the module logged to " + logPath + L":\n");
  const std::string log = qm::FileUtil::ReadAll(logPath);
  Print(qm::encoding::Utf8ToWide(log.size() > logStart ? log.substr(logStart) : std::string()));
  return exitCode;
}

int DemoHost::RunSession(void* factoryExport) {
  if (!factoryExport) {
    Print(L"demo: the module has no DllGetClassObject export\n");
    return 2;
  }
  auto factory = reinterpret_cast<DllGetClassObjectFn>(factoryExport);
  PAGESDKUTIL::IActivityUtil* activity = nullptr;
  const HRESULT hr = factory(GUID{}, PAGESDKUTIL::kActivityInterfaceId, reinterpret_cast<void**>(&activity));
  if (FAILED(hr) || !activity) {
    Print(L"demo: DllGetClassObject failed\n");
    return 2;
  }
  activity->Initialize();
  WaitForFirstRefresh();
  bool shownNotAccepted = false;
  DemoClicker::Target target = DemoClicker::Target::kNone;
  DemoClicker::ParseTarget(options_.click, target);
  DemoClicker clicker(target, options_.screenshot, kPopUpTitle);
  clicker.Start();
  const bool shown = activity->ShowExitSceneActivityDlg(options_.scene, &shownNotAccepted);
  clicker.Finish();
  if (clicker.saved_screenshot()) Print(L"demo: screenshot of the pop-up saved to " + options_.screenshot + L"\n");
  Print(L"demo: exit scene " + std::to_wstring(options_.scene) + L": shown=" + (shown ? L"true" : L"false") +
        L" shown_not_accepted=" + (shownNotAccepted ? L"true" : L"false") + L"\n");
  const ULONGLONG before = GetTickCount64();
  activity->Uninitialize();
  Print(L"demo: Uninitialize took " + std::to_wstring(GetTickCount64() - before) + L" ms\n");
  activity->Release();
  return 0;
}

// The worker logs its refresh; a refresh it skips (nothing to show) ends with a gate's refusal
// after "IsNeedUpdateSource Start" and no "Finish". Without DEBUG lines there is nothing to read.
void DemoHost::WaitForFirstRefresh() const {
  if (options_.waitRefreshSeconds <= 0 || options_.logLevel.value_or(1) != 0) return;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(options_.waitRefreshSeconds) * 1000;
  size_t lastSize = 0;
  ULONGLONG quietSince = GetTickCount64();
  while (GetTickCount64() < deadline) {
    const std::string log = qm::FileUtil::ReadAll(logPath_);
    const std::string session = log.size() > logStart_ ? log.substr(logStart_) : std::string();
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
    Sleep(50);
  }
  Print(L"demo: the pop-up's first refresh did not finish within " + std::to_wstring(options_.waitRefreshSeconds) +
        L" s\n");
}

}  // namespace demo
