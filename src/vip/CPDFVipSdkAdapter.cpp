#include "vip/CPDFVipSdkAdapter.h"

#include "product/HostProfile.h"
#include "vip/VipAdapterFactory.h"

namespace vip {

bool CPDFVipSdkAdapter::FollowsVipProductId() const {
  return product::HostProfile::Of(hostType_).vipProductIdFollows;
}

CPDFVipSdkAdapter::CPDFVipSdkAdapter(std::unique_ptr<IVipAdapterFactory> factory) : factory_(std::move(factory)) {}

CPDFVipSdkAdapter::~CPDFVipSdkAdapter() = default;

CPDFVipSdkAdapter& CPDFVipSdkAdapter::Instance() {
  static CPDFVipSdkAdapter* const facade = new CPDFVipSdkAdapter(std::make_unique<VipAdapterFactory>());
  return *facade;  // lives until the module unloads
}

bool CPDFVipSdkAdapter::CreatedOffTheCaller(int hostType) {
  // Its client connects to the VIP service and registers its channel there before it is ready.
  return product::HostProfile::Of(hostType).vip == product::VipPath::kTessikService;
}

void CPDFVipSdkAdapter::Initialize() {
  startUp_.Wait();
  AdapterAccessLock::Exclusive hold(lock_);
  if (initialized_) return;
  initialized_ = true;
  hostType_ = factory_->HostType();
  const int id = product::HostProfile::Of(hostType_).ReadsVipProductId() ? factory_->CurrentVipProductId() : 0;
  if (CreatedOffTheCaller(hostType_) && startUp_.Start([this, id] {
        AdapterAccessLock::Exclusive made(lock_);
        // Released before the thread got here: nothing to make.
        if (initialized_ && !adapter_) CreateAdapter(id);
      })) {
    return;
  }
  CreateAdapter(id);
}

void CPDFVipSdkAdapter::CreateAdapter(int vipProductId) {
  adapter_ = factory_->Create(hostType_, vipProductId);
  if (!adapter_) return;
  for (IPDFVipUserInfoListener* listener : Listeners()) adapter_->AddUserInfoListener(listener);
}

void CPDFVipSdkAdapter::ReleaseAdapter() {
  startUp_.Wait();
  AdapterAccessLock::Exclusive hold(lock_);
  if (!initialized_) return;
  adapter_.reset();
  initialized_ = false;
}

bool CPDFVipSdkAdapter::initialized() {
  startUp_.Wait();
  AdapterAccessLock::Shared hold(lock_);
  return initialized_;
}

bool CPDFVipSdkAdapter::IsCurrent(int vipProductId) {
  // Not initialised (or released): nothing to renew.
  return !initialized_ || !FollowsVipProductId() || (adapter_ && adapter_->GetVipProductId() == vipProductId);
}

std::set<IPDFVipUserInfoListener*> CPDFVipSdkAdapter::Listeners() {
  std::lock_guard<std::mutex> hold(listenersLock_);
  return listeners_;
}

// The Wystan user may switch edition at any time: the adapter follows the VIP product id. The check
// runs under the shared lock and again under the exclusive one, so no caller ever reaches an
// adapter that another thread is destroying.
void CPDFVipSdkAdapter::RenewIfNeeded() {
  {
    AdapterAccessLock::Shared hold(lock_);
    if (!initialized_ || !FollowsVipProductId()) return;
  }
  const int id = factory_->CurrentVipProductId();
  {
    AdapterAccessLock::Shared hold(lock_);
    if (IsCurrent(id)) return;
  }
  AdapterAccessLock::Exclusive hold(lock_);
  if (IsCurrent(id)) return;
  adapter_.reset();
  CreateAdapter(id);
}

int CPDFVipSdkAdapter::GetVipState() {
  return WithAdapter(static_cast<int>(kVipStateLoggedOut), [](IPDFVipSdkAdapter& a) { return a.GetVipState(); });
}

VipUserInfo CPDFVipSdkAdapter::GetUserInfo() {
  return WithAdapter(VipUserInfo{}, [](IPDFVipSdkAdapter& a) { return a.GetUserInfo(); });
}

bool CPDFVipSdkAdapter::FillUserInfo(VipUserInfo& info) {
  return WithAdapter(false, [&info](IPDFVipSdkAdapter& a) { return a.FillUserInfo(info); });
}

bool CPDFVipSdkAdapter::IsVip() {
  return WithAdapter(false, [](IPDFVipSdkAdapter& a) { return a.IsVip(); });
}

bool CPDFVipSdkAdapter::IsLogin() {
  return WithAdapter(false, [](IPDFVipSdkAdapter& a) { return a.IsLogin(); });
}

bool CPDFVipSdkAdapter::IsTourist() {
  return WithAdapter(false, [](IPDFVipSdkAdapter& a) { return a.IsTourist(); });
}

void CPDFVipSdkAdapter::SetOpenContext(int context) {
  WithAdapter(false, [context](IPDFVipSdkAdapter& a) {
    a.SetOpenContext(context);
    return true;
  });
}

bool CPDFVipSdkAdapter::OpenVipPage(int pageType, int vipFrom, int fid) {
  return WithAdapter(false, [=](IPDFVipSdkAdapter& a) { return a.OpenVipPage(pageType, vipFrom, fid); });
}

bool CPDFVipSdkAdapter::OpenVipPageWithQuery(int pageType, int vipFrom, int fid, const std::wstring& query) {
  return WithAdapter(false,
                     [&](IPDFVipSdkAdapter& a) { return a.OpenVipPageWithQuery(pageType, vipFrom, fid, query); });
}

void CPDFVipSdkAdapter::AddUserInfoListener(IPDFVipUserInfoListener* listener) {
  if (!listener) return;
  {
    std::lock_guard<std::mutex> hold(listenersLock_);
    listeners_.insert(listener);
  }
  WithAdapter(false, [listener](IPDFVipSdkAdapter& a) {
    a.AddUserInfoListener(listener);
    return true;
  });
}

void CPDFVipSdkAdapter::RemoveUserInfoListener(IPDFVipUserInfoListener* listener) {
  if (!listener) return;
  {
    std::lock_guard<std::mutex> hold(listenersLock_);
    listeners_.erase(listener);
  }
  WithAdapter(false, [listener](IPDFVipSdkAdapter& a) {
    a.RemoveUserInfoListener(listener);
    return true;
  });
}

bool CPDFVipSdkAdapter::ReadVipExpiryList(VipExpiryList& list) {
  return WithAdapter(false, [&list](IPDFVipSdkAdapter& a) { return a.ReadVipExpiryList(list); });
}

int CPDFVipSdkAdapter::GetVipProductId() {
  return WithAdapter(0, [](IPDFVipSdkAdapter& a) { return a.GetVipProductId(); });
}

bool CPDFVipSdkAdapter::QueryExtendedState() {
  return WithAdapter(false, [](IPDFVipSdkAdapter& a) { return a.QueryExtendedState(); });
}

std::wstring CPDFVipSdkAdapter::OpenId() {
  VipUserInfo info;
  return IsLogin() && FillUserInfo(info) ? info.open_id : std::wstring();
}

std::wstring CPDFVipSdkAdapter::Token() {
  VipUserInfo info;
  return IsLogin() && FillUserInfo(info) ? info.token : std::wstring();
}

}  // namespace vip
