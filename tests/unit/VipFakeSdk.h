#pragma once

// In-process fakes of both VIP SDK generations: every slot records its name and answers a value
// that tells the slots apart; listeners are kept so a test can fire them.

#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "SlotOf.h"
#include "family/VipSdk.h"

namespace vip_test {

using testing_support::SlotOf;

template <class Interface, class Listener>
class FakeCoreSlots : public Interface {
 public:
  std::vector<std::string> calls;
  std::vector<Listener*> listeners;
  bool loggedIn = true;
  bool vip = false;
  int version = 8;
  std::wstring userInfo;  // empty: no answer
  std::wstring vipList;
  std::vector<std::wstring> privileges;
  const char* name = vip_sdk::kCoreInterfaceName;  // what slot 1 answers

  void* __stdcall DeletingDestructor(unsigned int) override { return this; }
  const char* __stdcall InterfaceName() override { return Hit("InterfaceName", name); }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char*) override {
    return Hit<vip_sdk::IBaseInterface*>("QueryInterface", this);
  }
  bool __stdcall Init(int) override { return Hit("Init", true); }
  bool __stdcall UnInit() override { return Hit("UnInit", true); }
  bool __stdcall SetProductId(int) override { return Hit("SetProductId", true); }
  int __stdcall GetProductId() override { return Hit("GetProductId", 6); }
  bool __stdcall SetChannel(const wchar_t*) override { return Hit("SetChannel", true); }
  int __stdcall GetSdkVersion() override { return Hit("GetSdkVersion", 8); }
  int __stdcall GetInterfaceVersion() override { return Hit("GetInterfaceVersion", version); }
  bool __stdcall Login(int) override { return Hit("Login", true); }
  bool __stdcall Logout() override { return Hit("Logout", true); }
  bool __stdcall IsLogin() override { return Hit("IsLogin", loggedIn); }
  bool __stdcall IsTourist() override { return Hit("IsTourist", true); }
  bool __stdcall GetOpenId(BSTR* text) override { return Text("GetOpenId", L"oid", text); }
  bool __stdcall GetToken(BSTR* text) override { return Text("GetToken", L"tok", text); }
  bool __stdcall GetNickName(BSTR* text) override { return Text("GetNickName", L"nick", text); }
  bool __stdcall GetAvatar(BSTR* text) override { return Text("GetAvatar", L"ava", text); }
  bool __stdcall RefreshUserInfo() override { return Hit("RefreshUserInfo", true); }
  bool __stdcall GetUserInfoJson(BSTR* json, int flag) override {
    lastFlag = flag;
    return Text("GetUserInfoJson", userInfo, json);
  }
  bool __stdcall HasPrivilege(const wchar_t* name, int flag) override {
    lastFlag = flag;
    bool granted = false;
    for (const auto& privilege : privileges) granted = granted || (name && privilege == name);
    return Hit("HasPrivilege", granted);
  }
  int __stdcall GetPrivilegeCount() override { return Hit("GetPrivilegeCount", 21); }
  int __stdcall GetVipType() override { return Hit("GetVipType", 22); }
  int __stdcall GetVipExpireDate() override { return Hit("GetVipExpireDate", 23); }
  bool __stdcall OpenLoginWindow(int) override { return Hit("OpenLoginWindow", true); }
  bool __stdcall OpenChargeWindow(int) override { return Hit("OpenChargeWindow", true); }
  bool __stdcall OpenUserCenter(int) override { return Hit("OpenUserCenter", true); }
  bool __stdcall AddUserInfoChangeListener(Listener* listener) override {
    listeners.push_back(listener);
    return Hit("AddUserInfoChangeListener", true);
  }
  bool __stdcall RemoveUserInfoChangeListener(Listener* listener) override {
    for (auto it = listeners.begin(); it != listeners.end(); ++it) {
      if (*it == listener) {
        listeners.erase(it);
        break;
      }
    }
    return Hit("RemoveUserInfoChangeListener", true);
  }
  bool __stdcall ReportAction(const wchar_t*) override { return Hit("ReportAction", true); }
  bool __stdcall IsVip() override { return Hit("IsVip", vip); }
  bool __stdcall IsSuperVip() override { return Hit("IsSuperVip", true); }
  int __stdcall GetLastErrorCode() override { return Hit("GetLastErrorCode", 32); }

  void FireChange() {
    for (Listener* listener : std::vector<Listener*>(listeners)) listener->OnUserInfoChange(1);
  }
  void FireLogin(bool state) {
    for (Listener* listener : std::vector<Listener*>(listeners)) listener->OnLoginStateChange(state);
  }
  int lastFlag = -1;

 protected:
  template <class T>
  T Hit(const char* name, T answer) {
    calls.emplace_back(name);
    return answer;
  }
  bool Text(const char* name, const std::wstring& text, BSTR* out) {
    *out = text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return Hit(name, *out != nullptr);
  }
};

class FakeNewerCore final : public FakeCoreSlots<vip_sdk::IVipSdkCoreInterface, vip_sdk::IUserInfoChangeListener> {
 public:
  bool extended = true;
  int __stdcall GetAccountKind() override { return Hit("GetAccountKind", 33); }
  bool __stdcall IsPermissionVip() override { return Hit("IsPermissionVip", true); }
  int64_t __stdcall GetPermissionVipInfo() override { return Hit<int64_t>("GetPermissionVipInfo", 35); }
  int64_t __stdcall GetExpirePermissionVipInfo() override { return Hit<int64_t>("GetExpirePermissionVipInfo", 36); }
  bool __stdcall IsContinuous() override { return Hit("IsContinuous", true); }
  int __stdcall GetCouponCount() override { return Hit("GetCouponCount", 38); }
  bool __stdcall RefreshVipList() override { return Hit("RefreshVipList", true); }
  bool __stdcall GetVipListJson(BSTR* json) override { return Text("GetVipListJson", vipList, json); }
  bool __stdcall QueryExtendedInfo() override { return Hit("QueryExtendedInfo", extended); }
};

class FakeOlderCore final
    : public FakeCoreSlots<vip_sdk_ablo::IVipSdkCoreInterface, vip_sdk_ablo::IUserInfoChangeListener> {
 public:
  FakeOlderCore() { name = vip_sdk_ablo::kCoreInterfaceOwnName; }
  int __stdcall GetLegacyVipLevel() override { return Hit("GetLegacyVipLevel", 133); }
};

// A root that hands out one object as the core interface.
class FakeRoot final : public vip_sdk::IBaseInterface {
 public:
  explicit FakeRoot(vip_sdk::IBaseInterface* core) : core_(core) {}
  void* __stdcall DeletingDestructor(unsigned int) override { return this; }
  const char* __stdcall InterfaceName() override { return "root"; }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char* name) override {
    asked = name ? name : "";
    return asked == vip_sdk::kCoreInterfaceName ? core_ : nullptr;
  }
  std::string asked;

 private:
  vip_sdk::IBaseInterface* core_;
};

}  // namespace vip_test
