#include "vanta/ZVantaWarpper.h"

#include <shlwapi.h>
// BSTR release
#include <oleauto.h>

#include "product/HostProfile.h"
#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "utils/Log.h"
#include "utils/UxJson.h"
#include "vanta/ProductConfigs.h"

namespace vanta {

namespace {

// Copies and frees a text the library handed out; null is "".
std::wstring TakeBstr(BSTR text) {
  std::wstring copy = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return copy;
}

void CallSetter(IConfig& config, int slot, const wchar_t* value) {
  using Setter = bool (IConfig::*)(const wchar_t*);
  static const Setter kSetters[] = {&IConfig::SetSvrId,      &IConfig::SetProductId, &IConfig::SetProductName,
                                    &IConfig::SetPackageName, &IConfig::SetTryNo,    &IConfig::SetTid1,
                                    &IConfig::SetTid2,        &IConfig::SetTod1,     &IConfig::SetTod2,
                                    &IConfig::SetIid,         &IConfig::SetUuid,     &IConfig::SetChannelKind,
                                    &IConfig::SetCityNumber,  &IConfig::SetRelativeRegPath};
  if (slot >= 6 && slot <= 19) (config.*kSetters[slot - 6])(value);
}

}  // namespace

VantaWarpperBase::~VantaWarpperBase() = default;

VantaWarpperBase::Lease VantaWarpperBase::Hold() const {
  std::lock_guard<std::mutex> hold(libraryLock_);
  return library_;
}

template <class Component>
Component* VantaWarpperBase::Find(const Lease& library, const wchar_t* name) {
  IBaseInterface* component = library && library->root() ? library->root()->GetComponent(name) : nullptr;
  // The library is another compiler's: its objects carry no type information the module could
  // read, so a component is taken for what it is by the name it gives itself (slot 5).
  const wchar_t* own = component ? component->Name() : nullptr;
  return own && name && std::wstring_view(own) == name ? static_cast<Component*>(component) : nullptr;
}

int VantaWarpperBase::Initialize() {
  if (initialised_.exchange(1) == 1) return 1;
  wchar_t path[MAX_PATH] = {};
  const std::wstring folder = reader_.ModuleFolder();
  if (folder.size() >= MAX_PATH) return 0;
  folder.copy(path, folder.size());
  PathAppendW(path, L"zvanta.dll");
  auto library = std::make_shared<VantaLibrary>();
  if (!library->Load(path)) return 0;
  {
    std::lock_guard<std::mutex> hold(libraryLock_);
    library_ = library;
  }
  return ApplyIdentity(library);
}

int VantaWarpperBase::ApplyIdentity(const Lease& library) {
  IConfig* config = Find<IConfig>(library, L"config");
  if (!config) {
    ZLOG(ERROR) << L"remote configuration library has no config component";
    return 0;
  }
  const IdentityPlan plan = plan_(reader_);
  for (const auto& [slot, value] : plan.setters) CallSetter(*config, slot, value.c_str());
  if (config->IsMethodSupported(L"SetRelativeRegPath")) config->SetRelativeRegPath(plan.relativeRegPath.c_str());
  return 1;
}

int VantaWarpperBase::Uninitialize() {
  if (initialised_.exchange(0) == 0) return 1;
  Lease released;
  {
    std::lock_guard<std::mutex> hold(libraryLock_);
    released.swap(library_);
  }
  return 1;  // unloaded here, or by the last read still inside the library
}

// The component stays valid only while the library is loaded, that is until Uninitialize.
IBaseInterface* VantaWarpperBase::GetComponent(const std::wstring& name) {
  const Lease library = Hold();
  return library && library->root() ? library->root()->GetComponent(name.c_str()) : nullptr;
}

bool VantaWarpperBase::GetSwitch(const std::wstring& name, bool defaultValue) {
  const Lease library = Hold();
  ISwitch* component = Find<ISwitch>(library, L"switch");
  return component ? component->GetSwitch(name.c_str(), defaultValue) : defaultValue;
}

int VantaWarpperBase::GetABTestGroup(const std::wstring& name, int defaultGroup) {
  const Lease library = Hold();
  IABTest* component = Find<IABTest>(library, L"abtest");
  return component ? component->GetGroup(name.c_str(), defaultGroup) : defaultGroup;
}

bool VantaWarpperBase::GetRawConfig(const std::wstring& name, std::wstring& text) {
  const Lease library = Hold();
  IRaw* component = Find<IRaw>(library, L"raw");
  BSTR raw = nullptr;
  if (!component || !component->GetRawConfig(name.c_str(), &raw)) return false;
  text = TakeBstr(raw);
  return true;
}

bool VantaWarpperBase::GetABTestParam(const std::wstring& name, const wchar_t* defaultText, std::wstring& text) {
  const Lease library = Hold();
  IABTest* component = Find<IABTest>(library, L"abtest");
  BSTR raw = nullptr;
  if (!component || !component->GetParam(name.c_str(), defaultText, &raw)) {
    text = defaultText ? defaultText : L"";
    return false;
  }
  text = TakeBstr(raw);
  return true;
}

bool VantaWarpperBase::Update() {
  const Lease library = Hold();
  IUpdate* component = Find<IUpdate>(library, L"update");
  return component && component->Update();
}

bool VantaWarpperBase::IsMethodSupported(const std::wstring& component, const std::wstring& method) {
  const Lease library = Hold();
  IBaseInterface* found = Find<IBaseInterface>(library, component.c_str());
  return found && found->IsMethodSupported(method.c_str());
}

std::wstring& VantaWarpperBase::GetConfigString(std::wstring& text, const std::wstring& item,
                                                const std::wstring& field, const wchar_t* defaultText) {
  std::wstring raw;
  if (!GetRawConfig(item, raw)) raw.clear();
  text = ItemFieldText(raw, field, defaultText);
  return text;
}

std::wstring ItemFieldText(const std::wstring& raw, const std::wstring& field, const wchar_t* defaultText) {
  const std::wstring fallback = defaultText ? defaultText : L"";
  if (raw.empty()) return fallback;
  qm::UxJson::Document doc;
  if (!doc.Parse(raw) || doc.Type() != qm::UxJson::kObject) return fallback;
  const auto member = doc.Get(field);
  return member.IsValid() ? member.AsString() : fallback;  // a number or object reads as ""
}

int VantaWarpperBase::GetConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) {
  std::wstring text;
  GetConfigString(text, item, field, std::to_wstring(defaultValue).c_str());
  return StrToIntW(text.c_str());
}

std::unique_ptr<VantaWarpperBase> MakeWarpper(int hostType, product::HostSystem& system) {
  switch (product::HostProfile::Of(hostType).identity) {
    case product::IdentityKind::kTessik: return std::make_unique<ZVantaWarpper<ZTessikProductConfig>>(system);
    case product::IdentityKind::kOrbilant: return std::make_unique<ZVantaWarpper<ZObProductConfig>>(system);
    case product::IdentityKind::kWystan: break;
  }
  return std::make_unique<ZVantaWarpper<ZWystanProductConfig>>(system);
}

IZVantaWarpper& CurrentWarpper() {
  // Created once, for the host type of the first use; lives until the process ends.
  static IZVantaWarpper* const current =
      MakeWarpper(product::ProductInfo::Instance().hostType, product::HostSystem::Real()).release();
  return *current;
}

}  // namespace vanta
