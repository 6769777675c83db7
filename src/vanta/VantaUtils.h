#pragma once

#include <windows.h>

#include <string>

namespace vanta {
class IZVantaWarpper;
}

// Keeps the remote configuration fresh in the Wystan product line by having the helper program
// force a refresh when the library's last one is older than the configured interval.
class VantaUtils {
 public:
  static constexpr DWORD kHelperWaitMilliseconds = 300000;

  // Forces a refresh when "update_vanta_minutes" (default 30) have passed since "last_update_time".
  static void RefreshIfDue(vanta::IZVantaWarpper& warpper, const std::wstring& configKey, HANDLE stop = nullptr);
  // Runs "quillhelper.exe -force_update_vanta" from the host's folder and waits for exit code 0.
  // The stop handle must be a manual-reset event: an already signalled one starts nothing, and a
  // signal during the wait ends it at once with false, leaving the helper running. The wait never
  // consumes the signal, so the caller's own shutdown wait still sees it.
  static bool ForceUpdate(HANDLE stop = nullptr);
  static bool ForceUpdate(const std::wstring& helper, HANDLE stop);

  // Seconds since 1970 of the library's last refresh; 0 when missing or not a REG_DWORD.
  static unsigned long LastUpdateTime();
};
