#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "family/FennickAccount.h"
#include "vip/VipAdapterBase.h"

namespace vip {

// The user's VIP state in the Fennick browser host (type 7), from the browser's account library.
// Account changes reach it through its second base, on the library's thread.
class PDFFennickVipSdkAdapter final : public VipAdapterBase, public fkaccount::IFkAccountInfoObserver {
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
  static constexpr int kVipProductId = 8;

  int GetVipState() override;
  bool FillUserInfo(VipUserInfo& info) override;
  bool IsVip() override;
  bool IsLogin() override;
  bool OpenVipPage(int pageType, int vipFrom, int fid) override;

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
};

}  // namespace vip
