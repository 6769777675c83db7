#pragma once

#include <memory>

#include "family/SheerIpc.h"

namespace sheer_vip {

// Objects of the IPC library go back through their own release slot.
struct TandIpcReleaser {
  template <class T>
  void operator()(T* object) const {
    if (object) object->Release();
  }
};
using TandIpcBundlePtr = std::unique_ptr<tandipc::ITandIpcBundle, TandIpcReleaser>;
using TandIpcClientPtr = std::unique_ptr<tandipc::ITandIpcClient, TandIpcReleaser>;
using TandIpcServerPtr = std::unique_ptr<tandipc::ITandIpcServer, TandIpcReleaser>;

}  // namespace sheer_vip
