#include "vip/PDFVipSdkCoreInterfaceWrap.h"

#include <algorithm>
#include <cstring>

namespace vip {

std::unique_ptr<PDFVipSdkCoreInterfaceWrap> PDFVipSdkCoreInterfaceWrap::Create(vip_sdk::IBaseInterface* root,
                                                                               int productLine) {
  if (!root) return nullptr;
  vip_sdk::IBaseInterface* core = root->QueryInterface(vip_sdk::kCoreInterfaceName);
  if (productLine == 2) {
    // The older generation is taken as it comes.
    return std::make_unique<PDFVipSdkCoreInterfaceWrap>(nullptr,
                                                        static_cast<vip_sdk_ablo::IVipSdkCoreInterface*>(core));
  }
  return std::make_unique<PDFVipSdkCoreInterfaceWrap>(
      IsCoreInterface(core) ? static_cast<vip_sdk::IVipSdkCoreInterface*>(core) : nullptr, nullptr);
}

bool PDFVipSdkCoreInterfaceWrap::IsCoreInterface(vip_sdk::IBaseInterface* object) {
  // The SDK is built by another compiler: its tables carry no type information the module could
  // read. The object's own name (slot 1, the same in every generation and asked of the object, not
  // of the service behind it) says what it is; the product line says which generation.
  const char* name = object ? object->InterfaceName() : nullptr;
  return name && std::strcmp(name, vip_sdk::kCoreInterfaceName) == 0;
}

PDFVipSdkCoreInterfaceWrap::~PDFVipSdkCoreInterfaceWrap() {
  // The SDK must not keep calling a bridge that is about to be destroyed.
  for (auto& bridge : olderBridges_) older_->RemoveUserInfoChangeListener(bridge.get());
  for (auto& bridge : newerBridges_) newer_->RemoveUserInfoChangeListener(bridge.get());
}

void* PDFVipSdkCoreInterfaceWrap::DeletingDestructor(unsigned int flags) {
  if (flags & 1) {
    delete this;
  } else {
    this->~PDFVipSdkCoreInterfaceWrap();
  }
  return this;
}

bool PDFVipSdkCoreInterfaceWrap::AddUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* listener) {
  try {
    if (older_) {
      olderBridges_.push_back(std::make_unique<OlderBridge>(listener));
      older_->AddUserInfoChangeListener(olderBridges_.back().get());
    }
    if (newer_) {
      newerBridges_.push_back(std::make_unique<NewerBridge>(listener));
      newer_->AddUserInfoChangeListener(newerBridges_.back().get());
    }
    return older_ || newer_;
  } catch (...) {
    return false;
  }
}

namespace {

// Unregisters and destroys the first bridge for this target, if any.
template <class Core, class Bridges>
bool RemoveBridge(Core* core, Bridges& bridges, vip_sdk_pdf::IPdfUserInfoChangeListener* target) {
  if (!core) return false;
  const auto found =
      std::find_if(bridges.begin(), bridges.end(), [target](const auto& bridge) { return bridge->target() == target; });
  if (found == bridges.end()) return false;
  core->RemoveUserInfoChangeListener(found->get());
  bridges.erase(found);
  return true;
}

}  // namespace

bool PDFVipSdkCoreInterfaceWrap::RemoveUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* listener) {
  const bool fromOlder = RemoveBridge(older_, olderBridges_, listener);
  const bool fromNewer = RemoveBridge(newer_, newerBridges_, listener);
  return fromOlder || fromNewer;
}

// Slots 1 to 26 and 29 to 32: either generation, the same slot.
const char* PDFVipSdkCoreInterfaceWrap::InterfaceName() {
  return Forward([](auto* c) { return c->InterfaceName(); });
}
vip_sdk::IBaseInterface* PDFVipSdkCoreInterfaceWrap::QueryInterface(const char* name) {
  return Forward([name](auto* c) { return c->QueryInterface(name); });
}
bool PDFVipSdkCoreInterfaceWrap::Init(int id) {
  return Forward([id](auto* c) { return c->Init(id); });
}
bool PDFVipSdkCoreInterfaceWrap::UnInit() {
  return Forward([](auto* c) { return c->UnInit(); });
}
bool PDFVipSdkCoreInterfaceWrap::SetProductId(int id) {
  return Forward([id](auto* c) { return c->SetProductId(id); });
}
int PDFVipSdkCoreInterfaceWrap::GetProductId() {
  return Forward([](auto* c) { return c->GetProductId(); });
}
bool PDFVipSdkCoreInterfaceWrap::SetChannel(const wchar_t* channel) {
  return Forward([channel](auto* c) { return c->SetChannel(channel); });
}
int PDFVipSdkCoreInterfaceWrap::GetSdkVersion() {
  return Forward([](auto* c) { return c->GetSdkVersion(); });
}
int PDFVipSdkCoreInterfaceWrap::GetInterfaceVersion() {
  return Forward([](auto* c) { return c->GetInterfaceVersion(); });
}
bool PDFVipSdkCoreInterfaceWrap::Login(int from) {
  return Forward([from](auto* c) { return c->Login(from); });
}
bool PDFVipSdkCoreInterfaceWrap::Logout() {
  return Forward([](auto* c) { return c->Logout(); });
}
bool PDFVipSdkCoreInterfaceWrap::IsLogin() {
  return Forward([](auto* c) { return c->IsLogin(); });
}
bool PDFVipSdkCoreInterfaceWrap::IsTourist() {
  return Forward([](auto* c) { return c->IsTourist(); });
}
bool PDFVipSdkCoreInterfaceWrap::GetOpenId(BSTR* text) {
  return Forward([text](auto* c) { return c->GetOpenId(text); });
}
bool PDFVipSdkCoreInterfaceWrap::GetToken(BSTR* text) {
  return Forward([text](auto* c) { return c->GetToken(text); });
}
bool PDFVipSdkCoreInterfaceWrap::GetNickName(BSTR* text) {
  return Forward([text](auto* c) { return c->GetNickName(text); });
}
bool PDFVipSdkCoreInterfaceWrap::GetAvatar(BSTR* text) {
  return Forward([text](auto* c) { return c->GetAvatar(text); });
}
bool PDFVipSdkCoreInterfaceWrap::RefreshUserInfo() {
  return Forward([](auto* c) { return c->RefreshUserInfo(); });
}
bool PDFVipSdkCoreInterfaceWrap::GetUserInfoJson(BSTR* json, int flag) {
  return Forward([json, flag](auto* c) { return c->GetUserInfoJson(json, flag); });
}
bool PDFVipSdkCoreInterfaceWrap::HasPrivilege(const wchar_t* name, int flag) {
  return Forward([name, flag](auto* c) { return c->HasPrivilege(name, flag); });
}
int PDFVipSdkCoreInterfaceWrap::GetPrivilegeCount() {
  return Forward([](auto* c) { return c->GetPrivilegeCount(); });
}
int PDFVipSdkCoreInterfaceWrap::GetVipType() {
  return Forward([](auto* c) { return c->GetVipType(); });
}
int PDFVipSdkCoreInterfaceWrap::GetVipExpireDate() {
  return Forward([](auto* c) { return c->GetVipExpireDate(); });
}
bool PDFVipSdkCoreInterfaceWrap::OpenLoginWindow(int from) {
  return Forward([from](auto* c) { return c->OpenLoginWindow(from); });
}
bool PDFVipSdkCoreInterfaceWrap::OpenChargeWindow(int from) {
  return Forward([from](auto* c) { return c->OpenChargeWindow(from); });
}
bool PDFVipSdkCoreInterfaceWrap::OpenUserCenter(int from) {
  return Forward([from](auto* c) { return c->OpenUserCenter(from); });
}
bool PDFVipSdkCoreInterfaceWrap::ReportAction(const wchar_t* action) {
  return Forward([action](auto* c) { return c->ReportAction(action); });
}
bool PDFVipSdkCoreInterfaceWrap::IsVip() {
  return Forward([](auto* c) { return c->IsVip(); });
}
bool PDFVipSdkCoreInterfaceWrap::IsSuperVip() {
  return Forward([](auto* c) { return c->IsSuperVip(); });
}
int PDFVipSdkCoreInterfaceWrap::GetLastErrorCode() {
  return Forward([](auto* c) { return c->GetLastErrorCode(); });
}

// Slot 33: the older generation only.
int PDFVipSdkCoreInterfaceWrap::GetLegacyVipLevel() {
  return older_ ? older_->GetLegacyVipLevel() : 0;
}

// Slots 34 to 42: the newer generation only, one slot lower.
int PDFVipSdkCoreInterfaceWrap::GetAccountKind() {
  return NewerOnly([](auto* c) { return c->GetAccountKind(); });
}
bool PDFVipSdkCoreInterfaceWrap::IsPermissionVip() {
  return NewerOnly([](auto* c) { return c->IsPermissionVip(); });
}
int64_t PDFVipSdkCoreInterfaceWrap::GetPermissionVipInfo() {
  return NewerOnly([](auto* c) { return c->GetPermissionVipInfo(); });
}
int64_t PDFVipSdkCoreInterfaceWrap::GetExpirePermissionVipInfo() {
  return NewerOnly([](auto* c) { return c->GetExpirePermissionVipInfo(); });
}
bool PDFVipSdkCoreInterfaceWrap::IsContinuous() {
  return NewerOnly([](auto* c) { return c->IsContinuous(); });
}
int PDFVipSdkCoreInterfaceWrap::GetCouponCount() {
  return NewerOnly([](auto* c) { return c->GetCouponCount(); });
}
bool PDFVipSdkCoreInterfaceWrap::RefreshVipList() {
  return NewerOnly([](auto* c) { return c->RefreshVipList(); });
}
bool PDFVipSdkCoreInterfaceWrap::GetVipListJson(BSTR* json) {
  return NewerOnly([json](auto* c) { return c->GetVipListJson(json); });
}
bool PDFVipSdkCoreInterfaceWrap::QueryExtendedInfo() {
  return NewerOnly([](auto* c) { return c->QueryExtendedInfo(); });
}

}  // namespace vip
