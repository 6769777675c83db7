#pragma once

#include <windows.h>

#include <string>

#include "family/DomainTransfer.h"
#include "product/ZSdkProductConfig.h"

namespace product {

// Rewrites web addresses for the detected product through "wexutil.dll" in the product folder.
// Without the library, or when it declines, addresses are used unchanged.
class DomainTransferClient {
 public:
  // Loads the library from productFolder once; a failed load is not retried.
  DomainTransferClient(std::wstring productFolder, int productId);
  ~DomainTransferClient();
  DomainTransferClient(const DomainTransferClient&) = delete;
  DomainTransferClient& operator=(const DomainTransferClient&) = delete;

  std::wstring TransferUrl(const std::wstring& url);
  bool HasTransfer() const { return transfer_ != nullptr; }
  ZSdkProductConfig& config() { return config_; }

  // The process's client for the detected product.
  static DomainTransferClient& Current();

 private:
  void Load(const std::wstring& productFolder);

  ZSdkProductConfig config_;
  HMODULE library_ = nullptr;
  qm::IDomainTransfer* transfer_ = nullptr;
};

}  // namespace product
