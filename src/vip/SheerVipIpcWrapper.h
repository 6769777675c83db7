#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>

#include "utils/bundle/ZBundle.h"
#include "vip/IUserInfoChange.h"
#include "vip/SheerIpcLibrary.h"
#include "vip/VipCriticalSection.h"
#include "vip/VipUserInfo.h"

namespace sheer_vip {

// The module's client of the Tessik VIP service: queries over the service's channel, and the
// account-change notification served on a channel of the module's own, which it registers with
// the service. Queries block the caller for at most the IPC library's time-out.
// The served function lives in this module while the IPC library and the service outlive it: when
// the last callback leaves (the adapter goes with Uninitialize), the channel is no longer served
// and the service is told, so that a host may free the module; a new callback serves it again.
class SheerVipIpcWrapper final : public IUserInfoChange {
 public:
  // Told of account changes on a thread of the IPC library, under the wrapper's lock: it must
  // not add or remove callbacks from there.
  class UserInfoChangeCallBack {
   public:
    virtual void OnUserInfoChanged(const vip::VipUserInfo& info) = 0;

   protected:
    ~UserInfoChangeCallBack() = default;
  };

  static constexpr wchar_t kServiceChannel[] = L"ISheerVipIpc";
  static constexpr wchar_t kNotifyFunction[] = L"NotifyUserInfoChange";

  // Serves the notification on a new channel and registers it with the service.
  explicit SheerVipIpcWrapper(SheerIpcLibrary& library, std::wstring serviceChannel = kServiceChannel);
  ~SheerVipIpcWrapper();
  SheerVipIpcWrapper(const SheerVipIpcWrapper&) = delete;
  SheerVipIpcWrapper& operator=(const SheerVipIpcWrapper&) = delete;

  static SheerVipIpcWrapper& Instance();
  // "sheer_vip_ipc_Wraper_" and a new GUID's 32 upper-case hexadecimal digits.
  static std::wstring NewChannelName();

  // "RegistIpcNotify" with the module's channel; true when the call was answered. Sent again
  // after the next answered query while the service has not taken it (it was not running).
  bool RegisterNotify();
  bool registered() const { return registered_; }
  // The service was started anew and knows no channel: the next answered query registers again.
  void ServiceRestarted() { registered_ = false; }
  // "QueryUserInfo" / "GetLocalUserInfo": true when answered with "ret" 0 (or without "ret").
  bool QueryUserInfo(vip::VipUserInfo& info);
  // all (optional) receives every key of the answer.
  bool GetLocalUserInfo(vip::VipUserInfo& info, qm::ZBundle* all = nullptr);

  // Serves the channel again if the last callback had stopped it.
  void AddCallback(UserInfoChangeCallBack* callback);
  // The last one stops serving: it waits for a notification that is running, so it must not be
  // called from a callback.
  void RemoveCallback(UserInfoChangeCallBack* callback);
  int32_t OnUserInfoChange(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) override;

  const std::wstring& channel() const { return channel_; }
  bool serving() const { return serving_; }
  bool CallbackLockHeld() const { return lock_.HeldByCurrentThread(); }
  static void ReadUserInfo(tandipc::ITandIpcBundle& bundle, vip::VipUserInfo& info);

 private:
  using BundleStep = std::function<void(tandipc::ITandIpcBundle&)>;
  // The call's result, or -1 when a piece of the library is missing.
  int32_t Call(const wchar_t* function, const BundleStep& fill, const BundleStep& read);
  bool QueryInto(const wchar_t* function, vip::VipUserInfo& info, qm::ZBundle* all);
  // Both under servingLock_.
  void Serve();
  void StopServing();

  SheerIpcLibrary& library_;
  std::wstring serviceChannel_;
  std::wstring channel_;
  std::mutex servingLock_;  // never taken on the library's threads
  std::atomic<bool> serving_{false};
  std::atomic<bool> registered_{false};
  mutable vip::VipCriticalSection lock_;
  std::set<UserInfoChangeCallBack*> callbacks_;  // under lock_
};

}  // namespace sheer_vip
