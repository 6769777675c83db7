// The IPC library stand-in: bundles, clients and servers over named pipes.
#include <windows.h>

#include "family/SheerIpc.h"
#include "tandipc/TandIpcBundle.h"
#include "tandipc/TandIpcClient.h"
#include "tandipc/TandIpcServer.h"

// Exported as DllQueryInterface (tandipc.def).
extern "C" void* __stdcall TandIpcQueryInterface(const GUID* classId) {
  if (!classId) return nullptr;
  try {
    if (IsEqualGUID(*classId, tandipc::kBundleClassId)) {
      return static_cast<tandipc::ITandIpcBundle*>(new tandipc::TandIpcBundle());
    }
    if (IsEqualGUID(*classId, tandipc::kClientClassId)) {
      return static_cast<tandipc::ITandIpcClient*>(new tandipc::TandIpcClient());
    }
    if (IsEqualGUID(*classId, tandipc::kServerClassId)) {
      return static_cast<tandipc::ITandIpcServer*>(new tandipc::TandIpcServer());
    }
  } catch (...) {
  }
  return nullptr;
}
