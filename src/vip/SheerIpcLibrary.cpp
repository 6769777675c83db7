#include "vip/SheerIpcLibrary.h"

#include "product/HostSystem.h"
#include "product/ProductConstants.h"
#include "vip/VipIpcConstants.h"

namespace sheer_vip {

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

}  // namespace

SheerIpcLibrary::SheerIpcLibrary(HMODULE module) : module_(module) {
  if (module) query_ = reinterpret_cast<tandipc::QueryInterfaceFn>(reinterpret_cast<void*>(GetProcAddress(module, tandipc::kQueryExport)));
}

SheerIpcLibrary::~SheerIpcLibrary() {
  server_.reset();  // the server goes back before the library that made it
  if (module_) FreeLibrary(module_);
}

SheerIpcLibrary& SheerIpcLibrary::Instance() {
  static SheerIpcLibrary* const library = new SheerIpcLibrary(Locate());
  return *library;  // lives until the module unloads
}

HMODULE SheerIpcLibrary::Locate() {
  const std::wstring name = vip::constants::kIpcLibrary.Reveal();
  product::HostSystem& system = product::HostSystem::Real();
  const std::wstring hostFolder = FolderOf(system.ExecutablePath());
  if (!hostFolder.empty()) {
    const std::wstring besideHost = hostFolder + name;
    // A reference of our own: the host may free its copy while we still call into it.
    HMODULE loaded = nullptr;
    if (GetModuleHandleExW(0, besideHost.c_str(), &loaded) && loaded) return loaded;
    if (HMODULE module = LoadLibraryExW(besideHost.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) return module;
  }
  const auto folder = system.ReadString(HKEY_LOCAL_MACHINE, product::constants::kTessikKey.Reveal(),
                                        product::constants::kProgramPath.Reveal(), KEY_WOW64_32KEY);
  if (!folder || folder->size() < 3) return nullptr;
  std::wstring path = *folder;
  if (path.back() != L'\\') path += L'\\';
  path += name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* SheerIpcLibrary::Query(const GUID& classId) const {
  return query_ ? query_(&classId) : nullptr;
}

TandIpcBundlePtr SheerIpcLibrary::NewBundle() const {
  return TandIpcBundlePtr(static_cast<tandipc::ITandIpcBundle*>(Query(tandipc::kBundleClassId)));
}

TandIpcClientPtr SheerIpcLibrary::NewClient() const {
  return TandIpcClientPtr(static_cast<tandipc::ITandIpcClient*>(Query(tandipc::kClientClassId)));
}

tandipc::ITandIpcServer* SheerIpcLibrary::Server() {
  std::call_once(serverOnce_, [this] {
    server_.reset(static_cast<tandipc::ITandIpcServer*>(Query(tandipc::kServerClassId)));
  });
  return server_.get();
}

}  // namespace sheer_vip
