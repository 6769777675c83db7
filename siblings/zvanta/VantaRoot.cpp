#include "zvanta/VantaRoot.h"

namespace siblings {

VantaRoot::VantaRoot() { context_.dataPath = Journal::OwnFolder() + L"zvanta.json"; }

void* VantaRoot::DeletingDestructor(unsigned int flags) {
  if (flags & 1) delete this;
  return this;
}

bool VantaRoot::Start() {
  const bool loaded = context_.data.Load(context_.dataPath);
  context_.journal.Append(L"Start", {{L"data", loaded ? L"loaded" : L"missing"},
                                     {L"result", context_.data.start ? L"true" : L"false"}});
  return context_.data.start;
}

void VantaRoot::Release() {
  context_.journal.Append(L"Release", {});
  delete this;
}

bool VantaRoot::IsMethodSupported(const wchar_t*) { return false; }

vanta::IBaseInterface* VantaRoot::GetComponent(const wchar_t* name) {
  const std::wstring wanted = name ? name : L"";
  vanta::IBaseInterface* const components[] = {&raw_, &abtest_, &switch_, &update_, &config_};
  for (vanta::IBaseInterface* component : components) {
    if (wanted == component->Name()) return component;
  }
  return nullptr;
}

}  // namespace siblings
