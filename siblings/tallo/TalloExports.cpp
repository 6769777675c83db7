// The reporting client's export: a new client per request for "ITalloClient2".
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "common/Journal.h"

#include "tallo/TalloClient.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

namespace {

// "tessiktallo.behaviour" beside the library, read once: "null-object" hands out no client.
std::string Behaviour() {
  static const std::string behaviour = [] {
    std::string text;
    if (FILE* file = _wfopen((siblings::Journal::OwnFolder() + L"tessiktallo.behaviour").c_str(), L"rb")) {
      char buffer[64] = {};
      text.assign(buffer, fread(buffer, 1, sizeof(buffer) - 1, file));
      fclose(file);
    }
    return text;
  }();
  return behaviour;
}

}  // namespace

// Exported as GetExportInterface (tessiktallo.def).
extern "C" tallo::ITalloClient2* __stdcall TalloGetExportInterface(const wchar_t* interfaceName) {
  try {
    if (!interfaceName || std::wcscmp(interfaceName, tallo::kClientInterfaceName) != 0) return nullptr;
    if (Behaviour().rfind("null-object", 0) == 0) return nullptr;
    return new siblings::TalloClient();
  } catch (...) {
    return nullptr;
  }
}
