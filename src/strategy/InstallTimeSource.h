#pragma once

#include <windows.h>

#include <string>

namespace strategy {

// Where a host records when it was installed: the PDF applications of host types 1 and 2 keep a
// first-open time under HKEY_LOCAL_MACHINE, the others the channel's install time.
struct InstallTimeSource {
  HKEY root = HKEY_CURRENT_USER;
  std::wstring path;
  std::wstring value;

  static InstallTimeSource For(int hostType, const std::wstring& channelKeyPath, const std::wstring& executablePath);
  std::wstring Describe() const;
};

}  // namespace strategy
