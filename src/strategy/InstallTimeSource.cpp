#include "strategy/InstallTimeSource.h"

#include <cwchar>

#include "product/HostProfile.h"

namespace strategy {

InstallTimeSource InstallTimeSource::For(int hostType, const std::wstring& channelKeyPath,
                                         const std::wstring& executablePath) {
  InstallTimeSource source;
  if (product::HostProfile::Of(hostType).installTime == product::InstallTimeRule::kChannelInstallTime) {
    source.path = channelKeyPath;
    source.value = L"installtime";
    return source;
  }
  const std::wstring fileName = executablePath.substr(executablePath.find_last_of(L"\\/") + 1);
  source.root = HKEY_LOCAL_MACHINE;
  source.path = channelKeyPath + (_wcsicmp(fileName.c_str(), L"inkvert.exe") == 0 ? L"\\inkvt" : L"\\inkread");
  source.value = L"first_open_time";
  return source;
}

std::wstring InstallTimeSource::Describe() const {
  return std::wstring(root == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + path + L" " + value;
}

}  // namespace strategy
