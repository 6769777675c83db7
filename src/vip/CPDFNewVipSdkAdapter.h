#pragma once

#include <memory>
#include <string>

#include "family/VipSdk.h"
#include "product/PageTemplates.h"
#include "vip/PDFVipSdkCoreInterfaceWrap.h"
#include "vip/VipAdapterBase.h"
#include "vip/VipPageLauncher.h"

namespace vip {

// The user's VIP state from the VIP SDK's core interface (hosts 2 to 5). The SDK tells it of
// account changes through its second base, and it passes a fresh record to its listeners.
class CPDFNewVipSdkAdapter : public VipAdapterBase, public vip_sdk_pdf::IPdfUserInfoChangeListener {
 public:
  // root: the SDK library's root interface, or null when the library is missing.
  CPDFNewVipSdkAdapter(int vipProductId, vip_sdk::IBaseInterface* root, int productLine, VipPageLauncher launcher);
  ~CPDFNewVipSdkAdapter() override;
  CPDFNewVipSdkAdapter(const CPDFNewVipSdkAdapter&) = delete;
  CPDFNewVipSdkAdapter& operator=(const CPDFNewVipSdkAdapter&) = delete;

  int GetVipState() override;
  bool FillUserInfo(VipUserInfo& info) override;
  bool IsVip() override;
  bool IsLogin() override;
  bool IsTourist() override { return false; }
  bool OpenVipPage(int pageType, int vipFrom, int fid) override;
  bool OpenVipPageWithQuery(int pageType, int vipFrom, int fid, const std::wstring& query) override;
  bool ReadVipExpiryList(VipExpiryList& list) override;

  void __stdcall OnUserInfoChange(int reason) override;
  void __stdcall OnLoginStateChange(bool loggedIn) override;

  void SetPageTemplate(int pageType, std::wstring text) { pages_.byType[pageType] = std::move(text); }
  // The page program's argument text; false for a page type without a template.
  bool PageArguments(int pageType, int vipFrom, int fid, const std::wstring& query, std::wstring& arguments) const;
  bool HasCore() const { return core_ != nullptr; }

 protected:
  virtual std::wstring PurchaseUrl(int tryno, const std::wstring& query) const;
  virtual bool StartPage(const std::wstring& arguments) const { return launcher_.StartWithShell(arguments); }
  PDFVipSdkCoreInterfaceWrap* core() const { return core_.get(); }
  const VipPageLauncher& launcher() const { return launcher_; }

 private:
  void NotifyListeners() noexcept;

  std::unique_ptr<PDFVipSdkCoreInterfaceWrap> core_;
  product::PageTemplates pages_;
  VipPageLauncher launcher_;
};

}  // namespace vip
