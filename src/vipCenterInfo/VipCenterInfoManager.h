#pragma once

#include <memory>

#include "vipCenterInfo/VipCenterInfoRequester.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace vipcenter {

// The process's VIP-centre access: a requester for host types 1 and 2, none for the others.
class VipCenterInfoManager {
 public:
  // hostType picks the requester; context is what it is built with.
  VipCenterInfoManager(int hostType, VipCenterContext context);
  explicit VipCenterInfoManager(std::shared_ptr<VipCenterInfoRequester> requester)
      : m_pImpl(std::move(requester)) {}

  // The requester's answer, or -1 (logged) without a requester.
  int QueryPayPriceInfo(int month, PayPriceInfo& out);
  bool HasRequester() const { return m_pImpl != nullptr; }

  // The requester of hostType's price source, built with context; null for hosts without a price.
  static std::shared_ptr<VipCenterInfoRequester> MakeRequester(int hostType, VipCenterContext context);

  // Created on first use from the loaded product configuration; lives until the module unloads.
  static VipCenterInfoManager& Instance();

 private:
  std::shared_ptr<VipCenterInfoRequester> m_pImpl;
};

}  // namespace vipcenter
