#include "uxwin/dpi/UxDpiContext.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

#include "utils/FileUtil.h"
#include "utils/ModulePaths.h"

namespace UxWin {

namespace {

using SetProcessContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using SetProcessAwareFn = BOOL(WINAPI*)();
using SetThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

template <typename Fn>
Fn User32(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) user32 = LoadLibraryW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

UxDpiContext::UxDpiContext(UxDpiSettings settings, std::wstring hostDirectory, std::wstring hostBaseName,
                           std::wstring moduleBaseName)
    : settings_(std::move(settings)),
      hostDirectory_(std::move(hostDirectory)),
      hostBaseName_(std::move(hostBaseName)),
      moduleBaseName_(std::move(moduleBaseName)) {}

namespace {
std::optional<UxDpiSettings>& ChosenSettings() {
  static std::optional<UxDpiSettings> settings;
  return settings;
}
UxDpiContext* madeContext = nullptr;
std::atomic<unsigned> generation{0};
}  // namespace

void UxDpiContext::UseSettings(const UxDpiSettings& settings) {
  ChosenSettings() = settings;
  if (madeContext) madeContext->StartOver(settings);
  ++generation;
}

unsigned UxDpiContext::Generation() { return generation.load(); }

void UxDpiContext::StartOver(const UxDpiSettings& settings) {
  settings_ = settings;
  initialised_ = false;
  enabled_ = -1;
  dpi_ = 0;
}

UxDpiContext& UxDpiContext::Instance() {
  static UxDpiContext* const instance = madeContext = [] {
    const std::wstring host = qm::ModulePaths::Executable();
    const size_t slash = host.find_last_of(L'\\');
    return new UxDpiContext(ChosenSettings().value_or(UxDpiSettings::Load(UxDpiSettings::DefaultPath())),
                            slash == std::wstring::npos ? std::wstring() : host.substr(0, slash), qm::ModulePaths::BaseName(host),
                            qm::ModulePaths::BaseName(qm::ModulePaths::Of(qm::ModulePaths::OwnModule())));
  }();
  return *instance;
}

bool UxDpiContext::IsSupportProcess() const {
  return !hostBaseName_.empty() && settings_.supportProcess.find(hostBaseName_) != std::wstring::npos;
}

bool UxDpiContext::IsEnabled() {
  DecideEnabled();
  InitialiseOnce();
  return enabled_ == 1;
}

void UxDpiContext::DecideEnabled() {
  if (enabled_ < 0) {
    bool supported = false;
    if (settings_.switchOn != 0) {
      supported = settings_.mode == 2 ? User32<SetThreadContextFn>("SetThreadDpiAwarenessContext") != nullptr
                                      : User32<SetProcessContextFn>("SetProcessDpiAwarenessContext") != nullptr ||
                                            User32<SetProcessAwareFn>("SetProcessDPIAware") != nullptr;
    }
    enabled_ = supported || settings_.debug != 0 ? 1 : 0;
  }
}

void UxDpiContext::InitialiseOnce() {
  if (initialised_) return;
  initialised_ = true;
  DecideEnabled();  // whichever call comes first, the awareness of mode 1 depends on it
  if (!IsSupportProcess()) return;
  if (settings_.mode == 1 && enabled_ == 1) {
    if (const auto setContext = User32<SetProcessContextFn>("SetProcessDpiAwarenessContext")) {
      // Some platforms refuse per-monitor v2; v1 is the fallback.
      if (!setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    } else if (const auto setAware = User32<SetProcessAwareFn>("SetProcessDPIAware")) {
      setAware();
    }
  }
  if (!FindWindowW(ProbeClassName().c_str(), nullptr)) CreateProbeWindow();
}

void UxDpiContext::CreateProbeWindow() {
  const std::wstring className = ProbeClassName();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);
  DPI_AWARENESS_CONTEXT previous = nullptr;
  if (const auto setThread = User32<SetThreadContextFn>("SetThreadDpiAwarenessContext")) {
    previous = setThread(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (!previous) previous = setThread(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
  }
  CreateWindowExW(0, className.c_str(), L"", 0x80880000, 0, 0, 0, 0, GetDesktopWindow(), nullptr,
                  GetModuleHandleW(nullptr), nullptr);
  if (previous) User32<SetThreadContextFn>("SetThreadDpiAwarenessContext")(previous);
}

int UxDpiContext::GetDpi() {
  if (dpi_ != 0) return dpi_;
  InitialiseOnce();
  if (settings_.debug != 0) return dpi_ = IsSupportProcess() ? settings_.debugDpi : 96;
  HWND probe = FindWindowW(ProbeClassName().c_str(), nullptr);
  if (!probe) return 96;  // not cached: a probe window may appear later
  if (const auto getDpi = User32<GetDpiForWindowFn>("GetDpiForWindow")) {
    const UINT dpi = getDpi(probe);
    if (dpi != 0) return dpi_ = static_cast<int>(dpi);
    return 96;
  }
  if (settings_.mode != 1) return 96;
  HDC dc = GetDC(probe);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
  if (dc) ReleaseDC(probe, dc);
  return dpi > 0 ? (dpi_ = dpi) : 96;
}

double UxDpiContext::GetScale() {
  const std::vector<double>& rates = settings_.supportRates;
  const double ratio = GetDpi() / 96.0;
  for (auto rate = rates.rbegin(); rate != rates.rend(); ++rate) {
    if (*rate <= ratio + 1e-9) return *rate;
  }
  return rates.empty() ? 1.0 : rates.front();
}

DPI_AWARENESS_CONTEXT UxDpiContext::SetThreadAwareness(DPI_AWARENESS_CONTEXT context) {
  if (settings_.mode != 2 || !IsEnabled()) return nullptr;
  const auto setThread = User32<SetThreadContextFn>("SetThreadDpiAwarenessContext");
  return setThread ? setThread(context) : nullptr;
}

int UxDpiContext::Scale(int value, bool dpiAware) {
  if (!dpiAware || !IsEnabled()) return value;
  return static_cast<int>(value * GetScale());
}

int UxDpiContext::Unscale(int value, bool dpiAware) {
  if (!dpiAware || !IsEnabled()) return value;
  return static_cast<int>(value / std::max(GetScale(), 1.0));
}

std::wstring UxDpiContext::DpiImagePath(double factor, int id, const wchar_t* extension) const {
  wchar_t path[MAX_PATH * 2] = {};
  swprintf(path, MAX_PATH * 2, L"%ls\\ressrc\\chs\\dpiimg\\%.1f\\%ls\\%d_%.1f.%ls", hostDirectory_.c_str(), factor,
           moduleBaseName_.c_str(), id, factor, extension);
  return path;
}

std::optional<UxDpiImage> UxDpiContext::DpiImage(int id, const wchar_t* extension) {
  const double current = GetScale();
  if (std::fabs(current - 1.0) < 1e-9 || hostDirectory_.empty()) return std::nullopt;
  const std::wstring exact = DpiImagePath(current, id, extension);
  if (qm::FileUtil::IsFile(exact)) return UxDpiImage{exact, current};
  std::optional<double> nearest;
  for (const double rate : settings_.supportRates) {
    if (rate <= 1.0 || std::fabs(rate - current) < 1e-9 || !qm::FileUtil::IsFile(DpiImagePath(rate, id, extension))) {
      continue;
    }
    const double distance = std::fabs(rate - current);
    if (!nearest || distance < std::fabs(*nearest - current) - 1e-9 ||
        (std::fabs(distance - std::fabs(*nearest - current)) < 1e-9 && rate > *nearest)) {
      nearest = rate;
    }
  }
  if (!nearest || std::fabs(current - 1.0) < std::fabs(*nearest - current)) return std::nullopt;
  return UxDpiImage{DpiImagePath(*nearest, id, extension), *nearest};
}

}  // namespace UxWin
