#pragma once

#include <string>

#include "product/HostSystem.h"
#include "product/ProductInfo.h"

namespace vip {

// Starts the host family's VIP page program (installation folder plus its scrambled name) with an
// argument text, either through the shell or, for a host that is not running as an
// administrator, through the helper's raised-rights start.
class VipPageLauncher {
 public:
  using AdminCheck = bool (*)();

  VipPageLauncher(product::HostSystem& system, product::ProductInfo& info, AdminCheck isAdmin = &IsAdmin)
      : system_(&system), info_(&info), isAdmin_(isAdmin) {}
  // The process's host and product record.
  static VipPageLauncher Real();

  // The page program's path; "" when the installation folder is unknown.
  std::wstring Program() const;
  int TryNo() const;
  bool StartWithShell(const std::wstring& arguments) const;
  bool StartRaisedUnlessAdmin(const std::wstring& arguments) const;

  static bool IsAdmin();

 private:
  product::HostSystem* system_;
  product::ProductInfo* info_;
  AdminCheck isAdmin_;
};

}  // namespace vip
