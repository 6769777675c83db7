// The reporting client's export: a new client per request for "ITalloClient2".
#include <windows.h>

#include <cwchar>

#include "tallo/TalloClient.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Exported as GetExportInterface (tessiktallo.def).
extern "C" tallo::ITalloClient2* __stdcall TalloGetExportInterface(const wchar_t* interfaceName) {
  try {
    if (!interfaceName || std::wcscmp(interfaceName, tallo::kClientInterfaceName) != 0) return nullptr;
    return new siblings::TalloClient();
  } catch (...) {
    return nullptr;
  }
}
