#include "lint/ItemVantaWarpper.h"

#include "vanta/IdentityPlan.h"

namespace campaign {

namespace {

// The identity is never handed to a library here.
vanta::IdentityPlan NoIdentity(vanta::VantaIdentityReader&) { return {}; }

}  // namespace

ItemVantaWarpper::ItemVantaWarpper(std::wstring text)
    : VantaWarpperBase(product::HostSystem::Real(), &NoIdentity), text_(std::move(text)) {}

bool ItemVantaWarpper::GetRawConfig(const std::wstring&, std::wstring& text) {
  text = text_;
  return true;
}

}  // namespace campaign
