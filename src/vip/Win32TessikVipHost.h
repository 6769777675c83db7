#pragma once

#include "vip/ITessikVipHost.h"

namespace vip {

// The Tessik host of this process: programs beside the host executable, the privilege store of
// the host's program folder.
class Win32TessikVipHost final : public ITessikVipHost {
 public:
  bool IsServiceRunning() override;
  bool StartVipService() override;
  void Wait(unsigned long milliseconds) override;
  bool HasPrivilege(const std::wstring& name) override;
  int TryNo() override;
  bool StartPage(const std::wstring& arguments) override;

  // The host executable's folder and the name; "" when that folder is unknown.
  static std::wstring BesideHost(const std::wstring& name);
};

}  // namespace vip
