#include "product/DomainTransferClient.h"

#include <shlwapi.h>

#include "product/HelperLauncher.h"
#include "product/ProductDetector.h"
#include "utils/Log.h"

namespace product {

DomainTransferClient::DomainTransferClient(std::wstring productFolder, int productId)
    : config_(productFolder, productId) {
  Load(productFolder);
}

DomainTransferClient::~DomainTransferClient() {
  if (transfer_) transfer_->Release();
  if (library_) FreeLibrary(library_);
}

DomainTransferClient& DomainTransferClient::Current() {
  // Kept for the life of the process, as the library may hold the configuration.
  static DomainTransferClient* const current = new DomainTransferClient(
      ProductDetector::Current().productFolder, ProductDetector::Current().productId);
  return *current;
}

void DomainTransferClient::Load(const std::wstring& productFolder) {
  // A folder such as "\" (no product found) would load whatever lies at the drive root.
  if (!IsAbsoluteFolder(productFolder)) {
    ZLOG(ERROR) << L"product folder \"" << productFolder << L"\" is not absolute; no domain transfer library loaded";
    return;
  }
  wchar_t path[MAX_PATH] = {};
  if (productFolder.size() >= MAX_PATH) return;
  productFolder.copy(path, productFolder.size());
  if (!PathAppendW(path, L"wexutil.dll")) return;
  library_ = LoadLibraryW(path);
  if (!library_) {
    ZPLOG(INFO, GetLastError()) << L"no domain transfer library at " << path;
    return;
  }
  const auto factory = reinterpret_cast<qm::DomainTransferFactory>(
      reinterpret_cast<void*>(GetProcAddress(library_, "DllGetClassObject")));
  void* object = nullptr;
  if (factory) factory(&qm::kDomainTransferId, &object);
  transfer_ = static_cast<qm::IDomainTransfer*>(object);
  if (transfer_ && transfer_->Initialize(&config_)) return;

  ZLOG(ERROR) << L"domain transfer library refused to start: " << path;
  if (transfer_) transfer_->Release();
  transfer_ = nullptr;
  FreeLibrary(library_);
  library_ = nullptr;
}

std::wstring DomainTransferClient::TransferUrl(const std::wstring& url) {
  if (!transfer_) return url;
  ZSdkFuncCallBack callback;
  return transfer_->Transfer(url.c_str(), &callback) ? callback.result() : url;
}

}  // namespace product
