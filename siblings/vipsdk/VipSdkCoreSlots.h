#pragma once

#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <string>

#include "common/Journal.h"
#include "family/VipSdk.h"
#include "vipsdk/VipSdkNotifier.h"
#include "vipsdk/VipSdkState.h"

namespace siblings {

// Slots 0 to 32 of either generation's core interface, answered from the state file. Every call is
// journaled with its generation; slots the module does not rely on answer 0, false or nothing.
template <class Interface, class Listener>
class VipSdkCoreSlots : public Interface {
 public:
  // name: what the generation's interface answers at slot 1.
  VipSdkCoreSlots(std::wstring generation, const char* name)
      : generation_(generation), name_(name), notifier_(generation) {}

  // A process-wide object of the library: never destroyed by its users.
  void* __stdcall DeletingDestructor(unsigned int) override { return Neutral<void*>(L"DeletingDestructor", this); }
  const char* __stdcall InterfaceName() override { return Neutral<const char*>(L"InterfaceName", name_); }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char*) override {
    return Neutral<vip_sdk::IBaseInterface*>(L"QueryInterface", nullptr);
  }
  bool __stdcall Init(int) override { return Neutral(L"Init", false); }
  bool __stdcall UnInit() override { return Neutral(L"UnInit", false); }
  bool __stdcall SetProductId(int) override { return Neutral(L"SetProductId", false); }
  int __stdcall GetProductId() override { return Neutral(L"GetProductId", 0); }
  bool __stdcall SetChannel(const wchar_t*) override { return Neutral(L"SetChannel", false); }
  int __stdcall GetSdkVersion() override { return Neutral(L"GetSdkVersion", 0); }
  int __stdcall GetInterfaceVersion() override { return Record(L"GetInterfaceVersion").interfaceVersion; }
  bool __stdcall Login(int) override { return Neutral(L"Login", false); }
  bool __stdcall Logout() override { return Neutral(L"Logout", false); }
  bool __stdcall IsLogin() override { return Record(L"IsLogin").loggedIn; }
  bool __stdcall IsTourist() override { return Neutral(L"IsTourist", false); }
  bool __stdcall GetOpenId(BSTR* text) override { return NoText(L"GetOpenId", text); }
  bool __stdcall GetToken(BSTR* text) override { return NoText(L"GetToken", text); }
  bool __stdcall GetNickName(BSTR* text) override { return NoText(L"GetNickName", text); }
  bool __stdcall GetAvatar(BSTR* text) override { return NoText(L"GetAvatar", text); }
  bool __stdcall RefreshUserInfo() override { return Neutral(L"RefreshUserInfo", false); }
  bool __stdcall GetUserInfoJson(BSTR* json, int flag) override {
    const VipSdkState state = Record(L"GetUserInfoJson", {{L"flag", std::to_wstring(flag)}});
    return Hand(state.hasUserInfo, state.userInfoJson, json);
  }
  bool __stdcall HasPrivilege(const wchar_t* name, int flag) override {
    const std::wstring privilege = name ? name : L"";
    return Record(L"HasPrivilege", {{L"name", privilege}, {L"flag", std::to_wstring(flag)}}).HasPrivilege(privilege);
  }
  int __stdcall GetPrivilegeCount() override { return Neutral(L"GetPrivilegeCount", 0); }
  int __stdcall GetVipType() override { return Neutral(L"GetVipType", 0); }
  int __stdcall GetVipExpireDate() override { return Neutral(L"GetVipExpireDate", 0); }
  bool __stdcall OpenLoginWindow(int) override { return Neutral(L"OpenLoginWindow", false); }
  bool __stdcall OpenChargeWindow(int) override { return Neutral(L"OpenChargeWindow", false); }
  bool __stdcall OpenUserCenter(int) override { return Neutral(L"OpenUserCenter", false); }
  bool __stdcall AddUserInfoChangeListener(Listener* listener) override {
    Record(L"AddUserInfoChangeListener");
    return notifier_.Add(listener);
  }
  bool __stdcall RemoveUserInfoChangeListener(Listener* listener) override {
    Record(L"RemoveUserInfoChangeListener");
    return notifier_.Remove(listener);
  }
  bool __stdcall ReportAction(const wchar_t*) override { return Neutral(L"ReportAction", false); }
  bool __stdcall IsVip() override { return Record(L"IsVip").vip; }
  bool __stdcall IsSuperVip() override { return Neutral(L"IsSuperVip", false); }
  int __stdcall GetLastErrorCode() override { return Neutral(L"GetLastErrorCode", 0); }

 protected:
  ~VipSdkCoreSlots() = default;

  VipSdkState Record(const wchar_t* call, Journal::Fields fields = {}) {
    fields.emplace_back(L"generation", generation_);
    Journal(L"vipsdk").Append(call, fields);
    if (VipSdkState::NotAnswering()) {
      VipSdkState::WaitIfNotAnswering();
      return VipSdkState{};
    }
    return VipSdkState::Read();
  }
  template <class T>
  T Neutral(const wchar_t* call, T answer) {
    Journal(L"vipsdk").Append(call, {{L"generation", generation_}});
    return answer;
  }
  bool NoText(const wchar_t* call, BSTR* text) {
    if (text) *text = nullptr;
    return Neutral(call, false);
  }
  // Hands a text out as a BSTR the caller frees.
  static bool Hand(bool present, const std::wstring& text, BSTR* out) {
    if (!out) return false;
    *out = present ? SysAllocStringLen(text.data(), static_cast<UINT>(text.size())) : nullptr;
    return *out != nullptr;
  }

 private:
  std::wstring generation_;
  const char* name_;
  VipSdkNotifier<Listener> notifier_;
};

}  // namespace siblings
