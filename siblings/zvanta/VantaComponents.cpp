#include "zvanta/VantaComponents.h"

#include <oleauto.h>

namespace siblings {

bool RawComponent::GetRawConfig(const wchar_t* name, BSTR* text) {
  const auto found = context_.data.items.find(name ? name : L"");
  const bool known = found != context_.data.items.end();
  context_.journal.Append(L"GetRawConfig", {{L"name", name ? name : L""}, {L"found", known ? L"true" : L"false"}});
  if (found == context_.data.items.end() || !text) return false;
  *text = SysAllocString(found->second.c_str());
  return true;
}

int AbTestComponent::GetGroup(const wchar_t* name, int defaultGroup) {
  const auto found = context_.data.groups.find(name ? name : L"");
  return found == context_.data.groups.end() ? defaultGroup : found->second;
}

bool AbTestComponent::GetParam(const wchar_t* name, const wchar_t*, BSTR* text) {
  const auto found = context_.data.params.find(name ? name : L"");
  if (found == context_.data.params.end() || !text) return false;
  *text = SysAllocString(found->second.c_str());
  return true;
}

bool SwitchComponent::GetSwitch(const wchar_t* name, bool defaultValue) {
  const auto found = context_.data.switches.find(name ? name : L"");
  return found == context_.data.switches.end() ? defaultValue : found->second;
}

bool UpdateComponent::Update() {
  context_.journal.Append(L"Update", {});
  return context_.data.Load(context_.dataPath);
}

bool ConfigComponent::IsMethodSupported(const wchar_t* method) {
  return method && std::wstring(method) == L"SetRelativeRegPath" && context_.data.supportsRelativeRegPath;
}

bool ConfigComponent::Record(int slot, const wchar_t* value) {
  context_.journal.Append(L"SetIdentity", {{L"slot", std::to_wstring(slot)}, {L"value", value ? value : L""}});
  return true;
}

}  // namespace siblings
