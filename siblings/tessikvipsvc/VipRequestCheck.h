#pragma once

#include <string>

#include "family/SheerIpc.h"

namespace siblings {

// What the module may send the VIP service, and nothing else: each check returns why a request
// breaks the contract, or an empty text when it keeps to it.
class VipRequestCheck {
 public:
  // "RegistIpcNotify": exactly "notify_ipc" (the module's channel name as a string) and
  // "is_regist" (an int, 1 to register; 0, taking a channel back, is heard too).
  static std::wstring Registration(tandipc::ITandIpcBundle& request);
  // "QueryUserInfo" and "GetLocalUserInfo" carry no keys at all.
  static std::wstring Query(tandipc::ITandIpcBundle& request);
  // The service's command line: its program, then exactly " /runhide".
  static std::wstring CommandLine(const std::wstring& commandLine, const std::wstring& ownPath);

  // "sheer_vip_ipc_Wraper_" and 32 upper-case hexadecimal digits.
  static bool IsModuleChannel(const std::wstring& channel);
};

}  // namespace siblings
