// The reporting client's export: a new client per request for "ITalloClient2".
#include <windows.h>

#include <cwchar>
#include <string>

#include "common/BehaviourFile.h"

#include "tallo/TalloClient.h"

namespace {

// "tessiktallo.behaviour" beside the library, read once: "null-object" hands out no client.
std::string Behaviour() {
  static const std::string behaviour = siblings::BehaviourFile::Read(L"tessiktallo.behaviour");
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
