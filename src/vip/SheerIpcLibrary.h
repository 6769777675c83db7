#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "family/SheerIpc.h"
#include "vip/TandIpcHandles.h"

namespace sheer_vip {

// The family's IPC library: its class factory and the process's one server object. Every object
// asked of a missing library is null.
class SheerIpcLibrary {
 public:
  // Takes over one reference to module (null: no library), given back when destroyed.
  explicit SheerIpcLibrary(HMODULE module);
  ~SheerIpcLibrary();
  SheerIpcLibrary(const SheerIpcLibrary&) = delete;
  SheerIpcLibrary& operator=(const SheerIpcLibrary&) = delete;

  // Beside the host executable (already loaded, or loaded from there), else from the Tessik
  // host's program folder. Kept until the module unloads.
  static SheerIpcLibrary& Instance();
  // One reference of the caller's own to the library, or null.
  static HMODULE Locate();

  bool loaded() const { return query_ != nullptr; }
  TandIpcBundlePtr NewBundle() const;
  TandIpcClientPtr NewClient() const;
  // Created on first use and kept for the life of this object.
  tandipc::ITandIpcServer* Server();

 private:
  void* Query(const GUID& classId) const;

  HMODULE module_ = nullptr;
  tandipc::QueryInterfaceFn query_ = nullptr;
  std::once_flag serverOnce_;
  TandIpcServerPtr server_;
};

}  // namespace sheer_vip
