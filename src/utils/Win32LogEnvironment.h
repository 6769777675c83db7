#pragma once

#include <string>

#include "utils/LogEnvironment.h"

namespace zlog {

// The real world: HKLM "Software\Vendra\antivirus\sysopt" and the host executable's folder.
class Win32LogEnvironment final : public LogEnvironment {
 public:
  std::optional<DWORD> ReadLogLevel() override;
  std::wstring ComputeLogPath() override;

  // "<exe folder>\log\<exe stem>.<module file name>.log"; empty when either name is unknown.
  static std::wstring LogPathFor(const std::wstring& exePath, const std::wstring& moduleFileName);

  static const wchar_t* const kLogLevelKey;
  static const wchar_t* const kLogLevelValue;
};

}  // namespace zlog
