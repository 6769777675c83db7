// Runs the module's VIP facade inside an installed host of type 1 or 7 the way the controller
// does, and reports its answers as JSON (to a file with --report, else to standard output).
//   ipcprobe [--report FILE] [--open TYPE]... [--new-state FILE] [--wait-change MS]
// --new-state copies FILE over the host's account state once the facade has answered;
// --wait-change waits for the facade's listener to hear of a change.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"
#include "vip/CPDFVipSdkAdapter.h"
#include "vip/SheerVipIpcWrapper.h"

namespace {

using vip::CPDFVipSdkAdapter;

class ChangeListener final : public vip::IPDFVipUserInfoListener {
 public:
  ChangeListener() : changed_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~ChangeListener() override { CloseHandle(changed_); }
  // The first change is kept; the event is set only once it is complete.
  void OnVipUserInfoChanged(const vip::VipUserInfo& info) override {
    if (heard_.exchange(true)) return;
    openId_ = info.open_id;
    threadId_ = GetCurrentThreadId();
    SetEvent(changed_);
  }
  bool Wait(DWORD milliseconds) { return WaitForSingleObject(changed_, milliseconds) == WAIT_OBJECT_0; }
  std::wstring openId() const { return openId_; }
  DWORD threadId() const { return threadId_; }

 private:
  HANDLE changed_;
  std::wstring openId_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<bool> heard_{false};
};

void Describe(CPDFVipSdkAdapter& facade, UxJsonEx::Handle out) {
  out[L"state"] = static_cast<int32_t>(facade.GetVipState());
  out[L"is_login"] = facade.IsLogin();
  out[L"is_vip"] = facade.IsVip();
  vip::VipUserInfo info;
  out[L"fill"] = facade.FillUserInfo(info);
  out[L"is_logout"] = info.is_logout;
  out[L"vip_type"] = static_cast<int32_t>(info.vip_type);
  out[L"nick_name"] = info.nick_name;
  out[L"open_id"] = facade.OpenId();
  out[L"token"] = facade.Token();
  out[L"vip_product_id"] = static_cast<int32_t>(facade.GetVipProductId());
}

void Emit(const UxJsonEx::Document& report, const std::wstring& path) {
  std::wstring text;
  report.Write(text, false);
  const std::string utf8 = qm::encoding::WideToUtf8(text) + "\n";
  if (!path.empty()) {
    qm::FileUtil::WriteAll(path, utf8);
    return;
  }
  fwrite(utf8.data(), 1, utf8.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring reportPath;
  std::wstring newState;
  DWORD waitMs = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--report") reportPath = argv[++i];
    if (option == L"--new-state") newState = argv[++i];
    if (option == L"--wait-change") waitMs = static_cast<DWORD>(_wtoi(argv[++i]));
  }
  product::ProductInfoLoader::LoadCurrent();
  const int hostType = product::ProductInfo::Instance().hostType;
  CPDFVipSdkAdapter& facade = CPDFVipSdkAdapter::Instance();
  facade.Initialize();
  ChangeListener listener;
  facade.AddUserInfoListener(&listener);
  UxJsonEx::Document report;
  report[L"host_type"] = static_cast<int32_t>(hostType);
  Describe(facade, report[L"before"]);
  if (hostType == 1) {
    report[L"channel"] = sheer_vip::SheerVipIpcWrapper::Instance().channel();
    report[L"registered"] = sheer_vip::SheerVipIpcWrapper::Instance().registered();
  }
  int opened = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wstring(argv[i]) == L"--open") {
      report[L"opened"][std::to_wstring(opened++)] = facade.OpenVipPage(_wtoi(argv[++i]), 6411, 0);
    }
  }
  if (!newState.empty()) {
    const std::wstring target = product::ProductInfo::Instance().installationFolder + L"vip.state.json";
    // Replaced in one step: the service must never read a half-written state.
    const std::wstring staged = target + L".new";
    report[L"state_written"] = CopyFileW(newState.c_str(), staged.c_str(), FALSE) &&
                               MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  if (waitMs) {
    report[L"changed"] = listener.Wait(waitMs);
    report[L"changed_open_id"] = listener.openId();
    report[L"changed_on_other_thread"] = listener.threadId() != 0 && listener.threadId() != GetCurrentThreadId();
    // The service answers queries with the new state once its notification round has ended.
    for (int attempt = 0; attempt < 50; ++attempt) {
      Describe(facade, report[L"after"]);
      if (report[L"after"][L"open_id"].AsString() == listener.openId()) break;
      Sleep(100);
    }
  }
  facade.RemoveUserInfoListener(&listener);
  facade.ReleaseAdapter();
  Emit(report, reportPath);
  return 0;
}
