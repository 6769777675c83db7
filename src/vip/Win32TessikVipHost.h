#pragma once

#include "product/HostSystem.h"
#include "vip/ITessikVipHost.h"

namespace vip {

// The Tessik host of this process: programs beside the host executable, the privilege store of
// the host's program folder. Tests name another host system to start the service from elsewhere.
class Win32TessikVipHost final : public ITessikVipHost {
 public:
  explicit Win32TessikVipHost(product::HostSystem& system = product::HostSystem::Real()) : system_(system) {}

  bool IsServiceRunning() override;
  bool StartVipService() override;
  void Wait(unsigned long milliseconds) override;
  bool HasPrivilege(const std::wstring& name) override;
  int TryNo() override;
  bool StartPage(const std::wstring& arguments) override;

  // The host executable's folder and the name; "" when that folder is unknown.
  std::wstring BesideHost(const std::wstring& name);

 private:
  product::HostSystem& system_;
};

}  // namespace vip
