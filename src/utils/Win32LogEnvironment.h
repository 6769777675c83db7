#pragma once

#include "utils/LogEnvironment.h"

namespace zlog {

// The real world: HKLM "Software\Vendra\antivirus\sysopt" and the host executable's folder.
class Win32LogEnvironment final : public LogEnvironment {
 public:
  std::optional<DWORD> ReadLogLevel() override;
  std::wstring ComputeLogPath() override;

  static const wchar_t* const kLogLevelKey;
  static const wchar_t* const kLogLevelValue;
};

}  // namespace zlog
