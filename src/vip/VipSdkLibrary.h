#pragma once

#include <windows.h>

#include <string>

#include "family/VipSdk.h"

namespace vip {

// The loaded VIP SDK library and its root interface. The process's instance loads the library from
// the host's installation folder on first use and keeps it for the life of the process: the SDK
// runs threads of its own, and a library may not be freed while the module itself unloads.
class VipSdkLibrary {
 public:
  // Loads the library at this path; unloadOnDestroy frees it again (tests with their own copy).
  explicit VipSdkLibrary(const std::wstring& path, bool unloadOnDestroy = false);
  ~VipSdkLibrary();
  VipSdkLibrary(const VipSdkLibrary&) = delete;
  VipSdkLibrary& operator=(const VipSdkLibrary&) = delete;

  // Null when the library, its export or the root is missing.
  vip_sdk::IBaseInterface* root() const { return root_; }

  static VipSdkLibrary& Instance();
  // The installation folder and the library's file name.
  static std::wstring DefaultPath();

 private:
  HMODULE module_ = nullptr;
  vip_sdk::IBaseInterface* root_ = nullptr;
  bool unloadOnDestroy_ = false;
};

}  // namespace vip
