#pragma once

#include <map>
#include <memory>
#include <string>

#include "vip/ITessikVipHost.h"
#include "vip/SheerVipIpcWrapper.h"
#include "vip/VipAdapterBase.h"

namespace vip {

// The user's VIP state in the Tessik host (type 1), from its VIP service over IPC and its
// privilege store. The service's change notifications reach it through its second base.
class CPDFTessikVipSdkAdapter final : public VipAdapterBase,
                                      public sheer_vip::SheerVipIpcWrapper::UserInfoChangeCallBack {
 public:
  // Registers itself with the client's callbacks; removes itself again on destruction.
  CPDFTessikVipSdkAdapter(sheer_vip::SheerVipIpcWrapper& ipc, std::unique_ptr<ITessikVipHost> host);
  ~CPDFTessikVipSdkAdapter() override;
  CPDFTessikVipSdkAdapter(const CPDFTessikVipSdkAdapter&) = delete;
  CPDFTessikVipSdkAdapter& operator=(const CPDFTessikVipSdkAdapter&) = delete;

  static constexpr unsigned long kServiceStartWaitMs = 1000;

  int GetVipState() override;
  bool FillUserInfo(VipUserInfo& info) override;
  bool IsVip() override;
  bool IsLogin() override;
  bool OpenVipPage(int pageType, int vipFrom, int fid) override;

  void OnUserInfoChanged(const VipUserInfo& info) override;

  // The page program's argument text; false for a page type without an open option.
  bool PageArguments(int pageType, int vipFrom, int fid, std::wstring& arguments);

 private:
  // "QueryUserInfo", with one start of the VIP service when it is not running; the service so
  // started learns the module's channel again with its first answer.
  bool QueryWithRestart(VipUserInfo& info);
  static bool ReadsAsOne(qm::ZBundle& bundle, const wchar_t* key);

  sheer_vip::SheerVipIpcWrapper& ipc_;
  std::unique_ptr<ITessikVipHost> host_;
  std::map<int, int> openOptions_;
};

}  // namespace vip
