#include "vanta/VantaUtils.h"

#include <shellapi.h>

#include <ctime>

#include "product/HelperLauncher.h"
#include "product/ProductInfo.h"
#include "utils/Log.h"
#include "vanta/IZVantaWarpper.h"
#include "vanta/OfferFields.h"

unsigned long VantaUtils::LastUpdateTime() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\quillon\\vanta", 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  DWORD type = 0;
  const LSTATUS status =
      RegQueryValueExW(key, L"last_update_time", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) ? value : 0;
}

void VantaUtils::RefreshIfDue(vanta::IZVantaWarpper& warpper, const std::wstring& configKey, HANDLE stop) {
  ZLOG(DEBUG) << L"NewUserDiscount update vanta start";
  using vanta::offer::kRemoteConfigAge;
  const int minutes = warpper.GetConfigInt(configKey, kRemoteConfigAge.name, kRemoteConfigAge.defaultNumber);
  if (minutes == 0) return;
  const int64_t now = _time64(nullptr);
  const int64_t last = static_cast<int64_t>(LastUpdateTime());
  if (now - last >= static_cast<int64_t>(minutes) * 60) {
    const bool updated = ForceUpdate(stop);
    ZLOG(DEBUG) << L"NewUserDiscount update vanta ret is " << (updated ? 1 : 0);
  } else {
    ZLOG(DEBUG) << L"no need to update vanta";
  }
}

bool VantaUtils::ForceUpdate(HANDLE stop) {
  product::HelperLauncher launcher(product::HostSystem::Real(), product::ProductInfo::Instance());
  return ForceUpdate(launcher.HostFolderHelper(), stop);
}

bool VantaUtils::ForceUpdate(const std::wstring& helper, HANDLE stop) {
  ZLOG(DEBUG) << L"update vanta start";
  if (stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
    ZLOG(DEBUG) << L"update vanta skipped: stopping";
    return false;
  }
  if (!product::IsProgramPresent(helper)) {
    ZLOG(DEBUG) << L"quillhelper not exist";
    return false;
  }
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof(execute);
  execute.fMask = SEE_MASK_NOCLOSEPROCESS;
  execute.lpVerb = L"open";
  execute.lpFile = helper.c_str();
  execute.lpParameters = L"-force_update_vanta";
  execute.nShow = SW_HIDE;
  if (!ShellExecuteExW(&execute) || !execute.hProcess) return false;

  // The host's shutdown waits for this thread: a stop request ends the wait, not the helper.
  const HANDLE handles[] = {execute.hProcess, stop};
  const DWORD waited = WaitForMultipleObjects(stop ? 2 : 1, handles, FALSE, kHelperWaitMilliseconds);
  DWORD exitCode = STILL_ACTIVE;
  const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(execute.hProcess, &exitCode);
  CloseHandle(execute.hProcess);
  return ended && exitCode == 0;
}
