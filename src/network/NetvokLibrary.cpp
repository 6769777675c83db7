#include "network/NetvokLibrary.h"

#include "product/HelperLauncher.h"
#include "utils/Log.h"

namespace network {

NetvokLibrary::NetvokLibrary(const std::wstring& productFolder) {
  if (productFolder.empty()) return;
  // A folder such as "\" (no product found) would load whatever lies at the drive root.
  if (!product::IsAbsoluteFolder(productFolder)) {
    ZLOG(ERROR) << L"product folder \"" << productFolder << L"\" is not absolute; network library not loaded";
    return;
  }
  Load(productFolder + L"netvok.dll");
}

NetvokLibrary::~NetvokLibrary() {
  if (factory_) factory_->Release();
  if (module_) FreeLibrary(module_);
}

void NetvokLibrary::Load(const std::wstring& path) {
  // The library's own dependencies sit beside it.
  module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module_) {
    ZPLOG(WARNING, GetLastError()) << L"network library not loaded: " << path;
    return;
  }
  const auto entry = reinterpret_cast<netvok::FactoryEntry>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  void* object = nullptr;
  if (entry) entry(&netvok::kFactoryClassId, &netvok::kFactoryInterfaceId, &object);
  factory_ = static_cast<netvok::IHttpFactory*>(object);
  if (!factory_) ZLOG(ERROR) << L"network library handed out no factory: " << path;
}

}  // namespace network
