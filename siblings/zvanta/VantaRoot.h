#pragma once

#include <memory>
#include <string>

#include "zvanta/VantaComponents.h"

namespace siblings {

// The library's root object: starts by reading its data, hands out components by name.
class VantaRoot final : public vanta::IBaseInterface {
 public:
  VantaRoot();
  virtual ~VantaRoot() = default;

  void* DeletingDestructor(unsigned int flags) override;
  bool Start() override;
  void Release() override;
  bool IsMethodSupported(const wchar_t* method) override;
  vanta::IBaseInterface* GetComponent(const wchar_t* name) override;
  const wchar_t* Name() override { return L"root"; }

  // "zvanta.behaviour" beside the library, read once: how this stand-in fails on purpose.
  static std::string Behaviour();

 private:
  VantaContext context_;
  RawComponent raw_{context_};
  AbTestComponent abtest_{context_};
  SwitchComponent switch_{context_};
  UpdateComponent update_{context_};
  ConfigComponent config_{context_};
};

}  // namespace siblings
