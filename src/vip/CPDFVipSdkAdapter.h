#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "vip/AdapterAccessLock.h"
#include "vip/IPDFVipSdkAdapter.h"
#include "vip/IVipAdapterFactory.h"
#include "vip/VipAdapterStartUp.h"

namespace vip {

// The process's VIP facade: forwards every query to the adapter of the host type, or answers
// neutrally without one. The Wystan host (type 3) re-creates its adapter whenever its VIP product
// id changes, carrying the facade's listeners over. Every call holds the access lock shared;
// creation and destruction of the adapter hold it exclusively. An adapter whose creation waits on
// another process (the Tessik host's VIP service) is made on a start-up thread, off the host's UI
// thread; every call waits for it first, so callers see the facade as if it were made at once.
class CPDFVipSdkAdapter final : public IPDFVipSdkAdapter {
 public:
  explicit CPDFVipSdkAdapter(std::unique_ptr<IVipAdapterFactory> factory);
  ~CPDFVipSdkAdapter() override;

  static CPDFVipSdkAdapter& Instance();

  // Creates the host's adapter once (or starts its creation); later calls do nothing until
  // ReleaseAdapter.
  void Initialize();
  void ReleaseAdapter();
  bool initialized();

  // For the VIP-centre requests: empty unless a user is logged in.
  std::wstring OpenId();
  std::wstring Token();

  int GetVipState() override;
  VipUserInfo GetUserInfo() override;
  bool FillUserInfo(VipUserInfo& info) override;
  bool IsVip() override;
  bool IsLogin() override;
  bool IsTourist() override;
  void SetOpenContext(int context) override;
  bool OpenVipPage(int pageType, int vipFrom, int fid) override;
  bool OpenVipPageWithQuery(int pageType, int vipFrom, int fid, const std::wstring& query) override;
  void AddUserInfoListener(IPDFVipUserInfoListener* listener) override;
  void RemoveUserInfoListener(IPDFVipUserInfoListener* listener) override;
  bool ReadVipExpiryList(VipExpiryList& list) override;
  int GetVipProductId() override;
  bool QueryExtendedState() override;

 private:
  // Runs the call on the current adapter under the shared lock; the fallback without one.
  template <class R, class Call>
  R WithAdapter(R fallback, Call call) noexcept {
    try {
      startUp_.Wait();
      RenewIfNeeded();
      AdapterAccessLock::Shared hold(lock_);
      return adapter_ ? call(*adapter_) : fallback;
    } catch (...) {
      return fallback;
    }
  }
  // True for the host types whose adapter is made on the start-up thread.
  static bool CreatedOffTheCaller(int hostType);
  void CreateAdapter(int vipProductId);  // under lock_
  void RenewIfNeeded();
  bool IsCurrent(int vipProductId);
  bool FollowsVipProductId() const;  // under lock_
  std::set<IPDFVipUserInfoListener*> Listeners();

  std::unique_ptr<IVipAdapterFactory> factory_;
  AdapterAccessLock lock_;
  std::unique_ptr<IPDFVipSdkAdapter> adapter_;  // under lock_
  bool initialized_ = false;                    // under lock_
  int hostType_ = 0;                            // under lock_
  std::mutex listenersLock_;
  std::set<IPDFVipUserInfoListener*> listeners_;
  VipAdapterStartUp startUp_;  // last: its destructor waits for a creation in progress
};

}  // namespace vip
