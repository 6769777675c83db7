#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "product/HostSystem.h"
#include "vanta/IZVantaWarpper.h"
#include "vanta/IdentityPlan.h"
#include "vanta/VantaIdentityReader.h"
#include "vanta/VantaLibrary.h"

namespace vanta {

// The wrapper over "zvanta.dll" in the module's folder. ProductConfig decides the identity the
// library is handed (ZWystanProductConfig, ZObProductConfig or ZTessikProductConfig).
// Every read holds the library for its own length: Uninitialize lets go of it, and a read still
// inside it (the pop-up's worker, left to end on its own) keeps it loaded until it returns.
class VantaWarpperBase : public IZVantaWarpper {
 public:
  using PlanFunction = IdentityPlan (*)(VantaIdentityReader&);

  VantaWarpperBase(product::HostSystem& system, PlanFunction plan) : reader_(system), plan_(plan) {}
  ~VantaWarpperBase();

  int Initialize() override;
  int Uninitialize() override;
  bool GetSwitch(const std::wstring& name, bool defaultValue) override;
  int GetABTestGroup(const std::wstring& name, int defaultGroup) override;
  bool GetRawConfig(const std::wstring& name, std::wstring& text) override;
  bool GetABTestParam(const std::wstring& name, const wchar_t* defaultText, std::wstring& text) override;
  bool Update() override;
  bool IsMethodSupported(const std::wstring& component, const std::wstring& method) override;
  IBaseInterface* GetComponent(const std::wstring& name) override;
  int GetConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) override;
  std::wstring& GetConfigString(std::wstring& text, const std::wstring& item, const std::wstring& field,
                                const wchar_t* defaultText) override;

  bool IsLoaded() const { return Hold() != nullptr; }

 private:
  using Lease = std::shared_ptr<VantaLibrary>;

  Lease Hold() const;
  int ApplyIdentity(const Lease& library);
  template <class Component>
  static Component* Find(const Lease& library, const wchar_t* name);

  VantaIdentityReader reader_;
  PlanFunction plan_;
  mutable std::mutex libraryLock_;
  Lease library_;  // under libraryLock_
  std::atomic<int> initialised_{0};
};

template <class ProductConfig>
class ZVantaWarpper final : public VantaWarpperBase {
 public:
  explicit ZVantaWarpper(product::HostSystem& system) : VantaWarpperBase(system, &ProductConfig::Plan) {}
};

// A wrapper for a host type: 1 Tessik, 2 Ob, any other Wystan.
// A field of an item's text as the module reads it: a string member's text, "" for any other
// kind, defaultText when the item is not an object or lacks the field.
std::wstring ItemFieldText(const std::wstring& raw, const std::wstring& field, const wchar_t* defaultText);

std::unique_ptr<VantaWarpperBase> MakeWarpper(int hostType, product::HostSystem& system);

// The process's wrapper, chosen by host type on first use.
IZVantaWarpper& CurrentWarpper();

}  // namespace vanta
