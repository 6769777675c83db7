#include "zvanta/VantaRoot.h"

#include "common/BehaviourFile.h"

namespace siblings {

VantaRoot::VantaRoot() { context_.dataPath = Journal::OwnFolder() + L"zvanta.json"; }

void* VantaRoot::DeletingDestructor(unsigned int flags) {
  if (flags & 1) delete this;
  return this;
}

std::string VantaRoot::Behaviour() {
  static const std::string behaviour = BehaviourFile::Read(L"zvanta.behaviour");
  return behaviour;
}

bool VantaRoot::Start() {
  const bool loaded = context_.data.Load(context_.dataPath);
  // "start-false": the library cannot start whatever its data says.
  const bool started = context_.data.start && Behaviour().rfind("start-false", 0) != 0;
  context_.journal.Append(L"Start", {{L"data", loaded ? L"loaded" : L"missing"},
                                     {L"result", started ? L"true" : L"false"}});
  return started;
}

void VantaRoot::Release() {
  context_.journal.Append(L"Release", {});
  delete this;
}

bool VantaRoot::IsMethodSupported(const wchar_t*) { return false; }

vanta::IBaseInterface* VantaRoot::GetComponent(const wchar_t* name) {
  if (Behaviour().rfind("no-component", 0) == 0) return nullptr;  // a library without its parts
  const std::wstring wanted = name ? name : L"";
  vanta::IBaseInterface* const components[] = {&raw_, &abtest_, &switch_, &update_, &config_};
  for (vanta::IBaseInterface* component : components) {
    if (wanted == component->Name()) return component;
  }
  return nullptr;
}

}  // namespace siblings
