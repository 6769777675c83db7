#include "vip/CPDFTessikVipSdkAdapter.h"

#include <cwchar>

#include "vip/VipIpcConstants.h"

namespace vip {

CPDFTessikVipSdkAdapter::CPDFTessikVipSdkAdapter(sheer_vip::SheerVipIpcWrapper& ipc,
                                                 std::unique_ptr<ITessikVipHost> host)
    : VipAdapterBase(0),  // the Tessik host has no VIP product id
      ipc_(ipc),
      host_(std::move(host)),
      openOptions_{{kVipLoginPage, 6}, {kVipChargePage, 15}, {kVipMainPage, 1}} {
  ipc_.AddCallback(this);
}

CPDFTessikVipSdkAdapter::~CPDFTessikVipSdkAdapter() {
  listeners().Clear();
  // Under the client's lock: once this returns no notification can reach this object.
  ipc_.RemoveCallback(this);
}

bool CPDFTessikVipSdkAdapter::QueryWithRestart(VipUserInfo& info) {
  if (ipc_.QueryUserInfo(info)) return true;
  if (!host_ || host_->IsServiceRunning() || !host_->StartVipService()) return false;
  // A new service knows none of the channels the one before it was told.
  ipc_.ServiceRestarted();
  host_->Wait(kServiceStartWaitMs);
  info = VipUserInfo{};
  return ipc_.QueryUserInfo(info);
}

int CPDFTessikVipSdkAdapter::GetVipState() {
  try {
    VipUserInfo info;
    const bool answered = QueryWithRestart(info);
    // Without an answer the privilege store still decides.
    if (host_ && host_->HasPrivilege(L"pdf_to_word")) return kVipStateVip;
    const bool complete = !info.open_id.empty() && !info.token.empty() && !info.nick_name.empty();
    return answered && !info.is_logout && complete ? kVipStateLoggedIn : kVipStateLoggedOut;
  } catch (...) {
    return kVipStateLoggedOut;
  }
}

bool CPDFTessikVipSdkAdapter::ReadsAsOne(qm::ZBundle& bundle, const wchar_t* key) {
  if (bundle.GetInt(key, 0) == 1) return true;
  const wchar_t* text = bundle.GetString(key, L"");
  return text && std::wcscmp(text, L"1") == 0;
}

bool CPDFTessikVipSdkAdapter::FillUserInfo(VipUserInfo& info) {
  try {
    qm::ZBundlePtr all(new qm::ZBundle());
    VipUserInfo read;
    if (!ipc_.GetLocalUserInfo(read, all.get())) return false;
    read.is_tourist = ReadsAsOne(*all, L"is_tourist");
    const wchar_t* avatar = all->GetString(L"avatar", L"");
    read.avatar = avatar ? avatar : L"";
    read.is_continuous = ReadsAsOne(*all, L"is_continuous");
    info = read;
    return true;
  } catch (...) {
    return false;
  }
}

bool CPDFTessikVipSdkAdapter::IsVip() {
  try {
    VipUserInfo info;
    return ipc_.QueryUserInfo(info) && info.vip_type > 0 && info.vaild_date != 0 && !info.is_logout;
  } catch (...) {
    return false;
  }
}

bool CPDFTessikVipSdkAdapter::IsLogin() {
  try {
    VipUserInfo info;
    return ipc_.GetLocalUserInfo(info) && !info.token.empty() && !info.open_id.empty() && !info.is_logout;
  } catch (...) {
    return false;
  }
}

bool CPDFTessikVipSdkAdapter::PageArguments(int pageType, int vipFrom, int fid, std::wstring& arguments) {
  const auto option = openOptions_.find(pageType);
  if (option == openOptions_.end()) return false;
  arguments = L" --subpid=1 --fid=" + std::to_wstring(fid) + L" -open_opction=" + std::to_wstring(option->second);
  if (pageType == kVipMainPage) {
    const std::wstring format = constants::kTessikPurchaseFormat.Reveal();
    wchar_t address[512] = {};
    swprintf(address, 512, format.c_str(), host_ ? host_->TryNo() : 0);
    arguments += L" -url=\"" + std::wstring(address) + L"\"";
  }
  arguments += L" -from=" + std::to_wstring(vipFrom);
  return true;
}

bool CPDFTessikVipSdkAdapter::OpenVipPage(int pageType, int vipFrom, int fid) {
  try {
    std::wstring arguments;
    return host_ && PageArguments(pageType, vipFrom, fid, arguments) && host_->StartPage(arguments);
  } catch (...) {
    return false;
  }
}

void CPDFTessikVipSdkAdapter::OnUserInfoChanged(const VipUserInfo& info) { listeners().Notify(info); }

}  // namespace vip
