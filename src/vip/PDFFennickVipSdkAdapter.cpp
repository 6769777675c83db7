#include "vip/PDFFennickVipSdkAdapter.h"

#include <shellapi.h>

#include <cwchar>

#include "product/ChannelReader.h"
#include "product/HelperLauncher.h"
#include "product/ProductConstants.h"
#include "vip/VipIpcConstants.h"

namespace vip {

namespace {

template <size_t N>
std::wstring Text(const wchar_t (&field)[N]) {
  return std::wstring(field, wcsnlen(field, N));  // a record without its terminator stays bounded
}

}  // namespace

PDFFennickVipSdkAdapter::PDFFennickVipSdkAdapter(HMODULE library, std::wstring browser, TryNoSource tryNo)
    : VipAdapterBase(kVipProductId), browser_(std::move(browser)), tryNo_(std::move(tryNo)) {
  auto query = library ? reinterpret_cast<fkaccount::QueryInterfaceFn>(
                             reinterpret_cast<void*>(GetProcAddress(library, fkaccount::kQueryExport)))
                       : nullptr;
  if (!query) return;
  account_ = static_cast<fkaccount::IFkAccount*>(query(&fkaccount::kAccountId));
  service_ = static_cast<fkaccount::IFkAccountService*>(query(&fkaccount::kAccountServiceId));
  if (account_) observing_ = account_->AddObserver(this);
}

PDFFennickVipSdkAdapter::~PDFFennickVipSdkAdapter() {
  listeners().Clear();
  // After removal no notification reaches this object; the library stays loaded.
  if (account_ && observing_) account_->RemoveObserver(this);
  if (account_) account_->Release();
  if (service_) service_->Release();
}

std::unique_ptr<PDFFennickVipSdkAdapter> PDFFennickVipSdkAdapter::ForHost() {
  product::HostSystem& system = product::HostSystem::Real();
  product::ProductInfo& info = product::ProductInfo::Instance();
  HMODULE library = nullptr;
  auto folder = system.ReadString(HKEY_LOCAL_MACHINE, product::constants::kFennickKey.Reveal(),
                                  product::constants::kProgramPath.Reveal(), KEY_WOW64_32KEY);
  if (folder && product::IsAbsoluteFolder(*folder)) {
    if (folder->back() != L'\\') *folder += L'\\';
    const std::wstring path = *folder + constants::kFennickAccountLibrary.Reveal();
    library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  std::wstring browser;
  if (product::IsAbsoluteFolder(info.installationFolder)) {
    browser = info.installationFolder + constants::kFennickBrowser.Reveal();
  }
  return std::make_unique<PDFFennickVipSdkAdapter>(
      library, browser, [&system, &info] { return product::ChannelReader(system, info).TryNo(); });
}

VipUserInfo PDFFennickVipSdkAdapter::Convert(const fkaccount::FkAccountRecord& record) {
  VipUserInfo info;
  info.open_id = Text(record.openId);
  info.token = Text(record.token);
  info.nick_name = Text(record.nickName);
  info.avatar = Text(record.avatar);
  info.vip_type = record.vipType;
  info.from = record.from;
  info.vip_ex_date = record.vipExpire;
  info.vaild_date = static_cast<int32_t>(record.vipExpire & 0xffffffff);
  info.permission_vip_info = record.permissionVip;
  info.expire_permission_vip_info = record.expirePermissionVip;
  info.is_logout = record.loggedIn == 0;
  info.is_tourist = record.isTourist != 0;
  info.is_continuous = record.isContinuous != 0;
  return info;
}

bool PDFFennickVipSdkAdapter::FillUserInfo(VipUserInfo& info) {
  if (!account_) return false;
  try {
    fkaccount::FkAccountRecord record{};
    record.size = sizeof(record);
    if (!account_->GetAccountInfo(&record) || record.loggedIn == 0) return false;
    info = Convert(record);
    return true;
  } catch (...) {
    return false;
  }
}

bool PDFFennickVipSdkAdapter::IsLogin() {
  VipUserInfo info;
  return FillUserInfo(info);
}

bool PDFFennickVipSdkAdapter::IsVip() {
  VipUserInfo info;
  return FillUserInfo(info) && info.vip_type > 0;
}

int PDFFennickVipSdkAdapter::GetVipState() {
  VipUserInfo info;
  if (!FillUserInfo(info)) return kVipStateLoggedOut;
  return info.vip_type > 0 ? kVipStateVip : kVipStateLoggedIn;
}

std::wstring PDFFennickVipSdkAdapter::PageArguments(int pageType) {
  const std::wstring format = constants::kFennickPageArguments.Reveal();
  wchar_t arguments[256] = {};
  swprintf(arguments, 256, format.c_str(), tryNo_ ? tryNo_() : 0, kPageSource, pageType);
  return arguments;
}

bool PDFFennickVipSdkAdapter::OpenVipPage(int pageType, int, int) {
  if (browser_.empty()) return false;
  try {
    const std::wstring arguments = PageArguments(pageType);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", browser_.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
  } catch (...) {
    return false;
  }
}

void PDFFennickVipSdkAdapter::OnAccountInfoChanged() {
  try {
    VipUserInfo info;
    if (!FillUserInfo(info)) info.is_logout = true;
    listeners().Notify(info);
  } catch (...) {
    // runs on the account library's thread
  }
}

}  // namespace vip
