#include "vanta/VantaLibrary.h"

#include "utils/Log.h"

namespace vanta {

VantaLibrary::~VantaLibrary() { Unload(); }

void VantaLibrary::Unload() {
  if (root_) root_->Release();
  root_ = nullptr;
  if (module_ && !handleNotOwned_) FreeLibrary(module_);
  module_ = nullptr;
}

bool VantaLibrary::Load(const std::wstring& path) {
  Unload();
  handleNotOwned_ = false;
  path_ = path;
  module_ = LoadLibraryW(path.c_str());
  if (!module_) {
    ZPLOG(ERROR, GetLastError()) << L"cannot load " << path;
    return false;
  }
  const auto factory =
      reinterpret_cast<VantaFactory>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  void* object = nullptr;
  if (factory) factory(&kVantaRootId, &object);
  root_ = static_cast<IBaseInterface*>(object);
  if (root_ && root_->Start()) return true;
  ZLOG(ERROR) << L"remote configuration library did not start: " << path;
  Unload();
  return false;
}

}  // namespace vanta
