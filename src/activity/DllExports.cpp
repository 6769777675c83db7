#include <windows.h>

#include <cstring>
#include <new>

#include "activity/ActivityUtil.h"
#include "utils/StaticRuntimeRelease.h"
#include "uxwin/style/UxFontPool.h"

namespace {

// Compared as four 32-bit words; the class id is not looked at.
bool IsActivityInterfaceId(const void* iid) {
  uint32_t given[4];
  uint32_t expected[4];
  std::memcpy(given, iid, sizeof(given));
  std::memcpy(expected, &PAGESDKUTIL::kActivityInterfaceId, sizeof(expected));
  for (int i = 0; i < 4; ++i) {
    if (given[i] != expected[i]) return false;
  }
  return true;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // Unloaded by FreeLibrary: the process goes on, so the skin engine's fonts go back to it.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) UxFontPool::ReleaseAtUnload();
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// Every call hands out a new, independent controller; the host destroys it through slot 2.
extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID iid, LPVOID* out) {
  if (!out || !IsActivityInterfaceId(&iid)) return E_FAIL;
  auto* controller = new (std::nothrow) PAGESDKUTIL::ActivityUtil();
  if (!controller) return E_FAIL;
  *out = static_cast<PAGESDKUTIL::IActivityUtil*>(controller);
  return S_OK;
}
