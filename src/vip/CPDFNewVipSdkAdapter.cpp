#include "vip/CPDFNewVipSdkAdapter.h"

#include <oleauto.h>

#include "product/HelperLauncher.h"
#include "vip/VipUserInfoJson.h"

namespace vip {

namespace {

// Takes a text the SDK handed out and frees it.
std::wstring TakeText(BSTR text) {
  std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return taken;
}

}  // namespace

CPDFNewVipSdkAdapter::CPDFNewVipSdkAdapter(int vipProductId, vip_sdk::IBaseInterface* root, int productLine,
                                           VipPageLauncher launcher)
    : VipAdapterBase(vipProductId),
      core_(PDFVipSdkCoreInterfaceWrap::Create(root, productLine)),
      pages_(product::PageTemplates::NewVipSdk(vipProductId)),
      launcher_(launcher) {
  // Registration happens only here and in the destructor, on one thread; the listener lock is
  // not held, since the SDK holds its own lock while it calls back into OnUserInfoChange.
  if (core_) core_->AddUserInfoChangeListener(this);
}

CPDFNewVipSdkAdapter::~CPDFNewVipSdkAdapter() {
  if (core_) core_->RemoveUserInfoChangeListener(this);
}

bool CPDFNewVipSdkAdapter::IsLogin() {
  return core_ && core_->IsLogin();
}

bool CPDFNewVipSdkAdapter::IsVip() {
  return core_ && core_->IsVip();
}

int CPDFNewVipSdkAdapter::GetVipState() {
  if (!core_ || !core_->IsLogin()) return kVipStateLoggedOut;
  return core_->HasPrivilege(L"pdf_to_word", 0) ? kVipStateVip : kVipStateLoggedIn;
}

bool CPDFNewVipSdkAdapter::FillUserInfo(VipUserInfo& info) {
  info.is_logout = true;
  if (!core_) return false;
  BSTR json = nullptr;
  const bool answered = core_->GetUserInfoJson(&json, 1);
  const std::wstring text = TakeText(json);
  if (!answered || text.empty()) return false;
  VipUserInfo read;
  if (!VipUserInfoJson::Parse(text, read)) return false;
  read.is_logout = !IsLogin();
  info = read;
  return true;
}

bool CPDFNewVipSdkAdapter::ReadVipExpiryList(VipExpiryList& list) {
  if (!core_ || core_->GetInterfaceVersion() <= 6) return false;
  BSTR json = nullptr;
  const bool answered = core_->GetVipListJson(&json);
  const std::wstring text = TakeText(json);
  return answered && VipUserInfoJson::ParseExpiryList(text, list);
}

std::wstring CPDFNewVipSdkAdapter::PurchaseUrl(int tryno, const std::wstring& query) const {
  return product::HelperLauncher::PurchaseUrl(tryno, query);
}

bool CPDFNewVipSdkAdapter::PageArguments(int pageType, int vipFrom, int fid, const std::wstring& query,
                                         std::wstring& arguments) const {
  const auto found = pages_.byType.find(pageType);
  if (found == pages_.byType.end()) return false;
  arguments = found->second + L" --vipfrom=" + std::to_wstring(vipFrom) + L" --subpid=1 --fid=" + std::to_wstring(fid);
  if (!query.empty() && arguments.find(L"-url=") == std::wstring::npos) {
    arguments += L" -url=" + PurchaseUrl(launcher_.TryNo(), query);
  }
  return true;
}

bool CPDFNewVipSdkAdapter::OpenVipPage(int pageType, int vipFrom, int fid) {
  return OpenVipPageWithQuery(pageType, vipFrom, fid, {});
}

bool CPDFNewVipSdkAdapter::OpenVipPageWithQuery(int pageType, int vipFrom, int fid, const std::wstring& query) {
  std::wstring arguments;
  return PageArguments(pageType, vipFrom, fid, query, arguments) && StartPage(arguments);
}

void CPDFNewVipSdkAdapter::NotifyListeners() noexcept {
  try {
    VipUserInfo info;
    FillUserInfo(info);
    listeners().Notify(info);
  } catch (...) {
    // Called on the SDK's thread: nothing may travel back into it.
  }
}

void CPDFNewVipSdkAdapter::OnUserInfoChange(int) {
  NotifyListeners();
}

void CPDFNewVipSdkAdapter::OnLoginStateChange(bool) {
  NotifyListeners();
}

}  // namespace vip
