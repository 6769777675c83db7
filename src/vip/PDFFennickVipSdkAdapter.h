#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "family/FennickAccount.h"
#include "vip/IPDFVipSdkAdapter.h"
#include "vip/VipCriticalSection.h"

namespace vip {

// The user's VIP state in the Fennick browser host (type 7), from the browser's account library.
// Account changes reach it through its second base, on the library's thread.
class PDFFennickVipSdkAdapter final : public IPDFVipSdkAdapter, public fkaccount::IFkAccountInfoObserver {
 public:
  using TryNoSource = std::function<int()>;

  // library: the account library, or null when it is missing; browser: the program that opens
  // pages. The observer is registered with the account object when there is one.
  PDFFennickVipSdkAdapter(HMODULE library, std::wstring browser, TryNoSource tryNo);
  ~PDFFennickVipSdkAdapter() override;
  PDFFennickVipSdkAdapter(const PDFFennickVipSdkAdapter&) = delete;
  PDFFennickVipSdkAdapter& operator=(const PDFFennickVipSdkAdapter&) = delete;

  // The process's host: "ProgramPath" of the Fennick key, the installation folder, tryno.
  static std::unique_ptr<PDFFennickVipSdkAdapter> ForHost();
  static constexpr int kPageSource = 26;

  int GetVipState() override;
  VipUserInfo GetUserInfo() override;
  bool FillUserInfo(VipUserInfo& info) override;
  bool IsVip() override;
  bool IsLogin() override;
  bool IsTourist() override;
  void SetOpenContext(int context) override { openContext_ = context; }
  bool OpenVipPage(int pageType, int vipFrom, int fid) override;
  void AddUserInfoListener(IPDFVipUserInfoListener* listener) override;
  void RemoveUserInfoListener(IPDFVipUserInfoListener* listener) override;
  bool ReadVipExpiryList(VipExpiryList&) override { return true; }
  int GetVipProductId() override { return 8; }

  void OnAccountInfoChanged() override;

  std::wstring PageArguments(int pageType);
  bool HasAccount() const { return account_ != nullptr; }
  static VipUserInfo Convert(const fkaccount::FkAccountRecord& record);

 private:
  fkaccount::IFkAccount* account_ = nullptr;
  fkaccount::IFkAccountService* service_ = nullptr;
  bool observing_ = false;
  std::wstring browser_;
  TryNoSource tryNo_;
  int openContext_ = 0;
  VipCriticalSection listenersLock_;
  std::set<IPDFVipUserInfoListener*> listeners_;  // under listenersLock_
};

}  // namespace vip
