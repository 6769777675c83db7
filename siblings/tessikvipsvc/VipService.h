#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "common/Journal.h"
#include "tessikvipsvc/VipServiceState.h"
#include "vip/SheerIpcLibrary.h"

namespace siblings {

// The Tessik VIP service stand-in: serves "ISheerVipIpc" from the state file, remembers the
// channels registered for notifications and calls "NotifyUserInfoChange" on each when the state
// file changes. Journals every call to vipservice.journal.jsonl. A request that breaks the
// contract is refused (call result kRefused, "ret" -1) and journaled as "refused". Registrations
// live in this process only, as in the real service: a restarted service has none.
class VipService {
 public:
  explicit VipService(sheer_vip::SheerIpcLibrary& library);

  static constexpr int32_t kRefused = -1;

  // False when the library is missing or another service serves the channel.
  bool Start();
  // Watches the state file until nothing happened for idleMs.
  void Run(DWORD idleMs);

 private:
  int32_t Query(const wchar_t* call, tandipc::ITandIpcBundle& request, tandipc::ITandIpcBundle& response);
  int32_t Refuse(const wchar_t* call, const std::wstring& reason, tandipc::ITandIpcBundle& response);
  int32_t Register(tandipc::ITandIpcBundle& request, tandipc::ITandIpcBundle& response);
  void NotifyAll();
  void Touch() { lastActivity_ = GetTickCount64(); }
  static std::wstring Stamp();

  sheer_vip::SheerIpcLibrary& library_;
  Journal journal_{L"vipservice"};
  std::mutex lock_;
  std::set<std::wstring> channels_;  // under lock_
  std::atomic<ULONGLONG> lastActivity_{0};
};

}  // namespace siblings
