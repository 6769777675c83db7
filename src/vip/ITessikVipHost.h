#pragma once

#include <string>

namespace vip {

// What the Tessik adapter needs of its host besides the VIP service's answers: the service
// process, the privilege store and the page program.
class ITessikVipHost {
 public:
  virtual ~ITessikVipHost() = default;
  virtual bool IsServiceRunning() = 0;
  // Starts the VIP service with " /runhide"; true when the process was created.
  virtual bool StartVipService() = 0;
  virtual void Wait(unsigned long milliseconds) = 0;
  virtual bool HasPrivilege(const std::wstring& name) = 0;
  virtual int TryNo() = 0;
  // Starts the VIP page program through the helper's raised-rights start.
  virtual bool StartPage(const std::wstring& arguments) = 0;
};

}  // namespace vip
