#include "vip/VipSdkLibrary.h"

#include "product/HelperLauncher.h"
#include "product/ProductInfo.h"
#include "vip/VipConstants.h"

namespace vip {

VipSdkLibrary::VipSdkLibrary(const std::wstring& path, bool unloadOnDestroy) : unloadOnDestroy_(unloadOnDestroy) {
  if (path.empty()) return;
  module_ = LoadLibraryW(path.c_str());
  if (!module_) return;
  const auto getInterface = reinterpret_cast<vip_sdk::GetInterfaceFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, vip_sdk::kGetInterfaceExport)));
  vip_sdk::IBaseInterface* root = nullptr;
  // Only the received pointer counts, not the result code.
  if (getInterface) getInterface(&vip_sdk::kVipSdkRootId, &root);
  root_ = root;
}

VipSdkLibrary::~VipSdkLibrary() {
  if (module_ && unloadOnDestroy_) FreeLibrary(module_);
}

std::wstring VipSdkLibrary::DefaultPath() {
  const std::wstring& folder = product::ProductInfo::Instance().installationFolder;
  // Without a known folder the name alone would be searched for along the path.
  if (!product::IsAbsoluteFolder(folder)) return {};
  return folder + constants::kVipSdkLibrary.Reveal();
}

VipSdkLibrary& VipSdkLibrary::Instance() {
  static VipSdkLibrary* const library = new VipSdkLibrary(DefaultPath());  // kept until the process ends
  return *library;
}

}  // namespace vip
