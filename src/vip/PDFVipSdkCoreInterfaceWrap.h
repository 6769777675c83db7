#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "family/VipSdk.h"
#include "vip/UserInfoChangeBridge.h"

namespace vip {

// One core interface over both SDK generations: a call goes to the newer generation when it is
// there, else to the older one, else answers 0 / false / null. Slot 33 exists only in the older
// generation, slots 34 to 42 only in the newer one (at its slot one lower). Holds no lock: the
// adapters serialise listener registration.
class PDFVipSdkCoreInterfaceWrap final : public vip_sdk_pdf::IPdfVipSdkCoreInterface {
 public:
  // The wrapper over the root's core interface; null without a root. Product line 2 takes the
  // interface as the older generation; any other line only accepts the newer one, an object that
  // names itself the core interface.
  static std::unique_ptr<PDFVipSdkCoreInterfaceWrap> Create(vip_sdk::IBaseInterface* root, int productLine);
  static bool IsCoreInterface(vip_sdk::IBaseInterface* object);

  PDFVipSdkCoreInterfaceWrap(vip_sdk::IVipSdkCoreInterface* newer, vip_sdk_ablo::IVipSdkCoreInterface* older)
      : newer_(newer), older_(older) {}
  ~PDFVipSdkCoreInterfaceWrap();
  PDFVipSdkCoreInterfaceWrap(const PDFVipSdkCoreInterfaceWrap&) = delete;
  PDFVipSdkCoreInterfaceWrap& operator=(const PDFVipSdkCoreInterfaceWrap&) = delete;

  vip_sdk::IVipSdkCoreInterface* newer() const { return newer_; }
  vip_sdk_ablo::IVipSdkCoreInterface* older() const { return older_; }
  size_t BridgeCount() const { return olderBridges_.size() + newerBridges_.size(); }

  void* __stdcall DeletingDestructor(unsigned int flags) override;
  const char* __stdcall InterfaceName() override;
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char* name) override;
  bool __stdcall Init(int productId) override;
  bool __stdcall UnInit() override;
  bool __stdcall SetProductId(int productId) override;
  int __stdcall GetProductId() override;
  bool __stdcall SetChannel(const wchar_t* channel) override;
  int __stdcall GetSdkVersion() override;
  int __stdcall GetInterfaceVersion() override;
  bool __stdcall Login(int from) override;
  bool __stdcall Logout() override;
  bool __stdcall IsLogin() override;
  bool __stdcall IsTourist() override;
  bool __stdcall GetOpenId(BSTR* text) override;
  bool __stdcall GetToken(BSTR* text) override;
  bool __stdcall GetNickName(BSTR* text) override;
  bool __stdcall GetAvatar(BSTR* text) override;
  bool __stdcall RefreshUserInfo() override;
  bool __stdcall GetUserInfoJson(BSTR* json, int flag) override;
  bool __stdcall HasPrivilege(const wchar_t* name, int flag) override;
  int __stdcall GetPrivilegeCount() override;
  int __stdcall GetVipType() override;
  int __stdcall GetVipExpireDate() override;
  bool __stdcall OpenLoginWindow(int from) override;
  bool __stdcall OpenChargeWindow(int from) override;
  bool __stdcall OpenUserCenter(int from) override;
  bool __stdcall AddUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* listener) override;
  bool __stdcall RemoveUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* listener) override;
  bool __stdcall ReportAction(const wchar_t* action) override;
  bool __stdcall IsVip() override;
  bool __stdcall IsSuperVip() override;
  int __stdcall GetLastErrorCode() override;
  int __stdcall GetLegacyVipLevel() override;
  int __stdcall GetAccountKind() override;
  bool __stdcall IsPermissionVip() override;
  int64_t __stdcall GetPermissionVipInfo() override;
  int64_t __stdcall GetExpirePermissionVipInfo() override;
  bool __stdcall IsContinuous() override;
  int __stdcall GetCouponCount() override;
  bool __stdcall RefreshVipList() override;
  bool __stdcall GetVipListJson(BSTR* json) override;
  bool __stdcall QueryExtendedInfo() override;

 private:
  template <class Call>
  auto Forward(Call call) -> decltype(call(std::declval<vip_sdk::IVipSdkCoreInterface*>())) {
    if (newer_) return call(newer_);
    if (older_) return call(older_);
    return {};
  }
  template <class Call>
  auto NewerOnly(Call call) -> decltype(call(std::declval<vip_sdk::IVipSdkCoreInterface*>())) {
    if (newer_) return call(newer_);
    return {};
  }

  using OlderBridge = UserInfoChangeBridge<vip_sdk_ablo::IUserInfoChangeListener>;
  using NewerBridge = UserInfoChangeBridge<vip_sdk::IUserInfoChangeListener>;

  vip_sdk::IVipSdkCoreInterface* newer_;
  vip_sdk_ablo::IVipSdkCoreInterface* older_;
  std::vector<std::unique_ptr<OlderBridge>> olderBridges_;
  std::vector<std::unique_ptr<NewerBridge>> newerBridges_;
};

}  // namespace vip
