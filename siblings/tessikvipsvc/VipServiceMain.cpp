// The Tessik VIP service stand-in, started by the module with " /runhide". Ends on its own after
// half a minute without calls or state changes; a second instance ends at once.
#include <windows.h>

#include "common/Journal.h"
#include "tessikvipsvc/VipRequestCheck.h"
#include "tessikvipsvc/VipService.h"
#include "utils/ModulePaths.h"

int wmain(int, wchar_t**) {
  // A hidden service writes nothing: standard handles it was given would keep its starter's
  // pipes open for as long as it runs.
  for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    SetStdHandle(which, nullptr);
  }
  siblings::Journal journal(L"vipservice");
  journal.Append(L"start", {{L"command_line", GetCommandLineW()}});
  // Started any other way than the module's one command line, it serves nobody.
  const std::wstring refusal =
      siblings::VipRequestCheck::CommandLine(GetCommandLineW(), qm::ModulePaths::Of(nullptr));
  if (!refusal.empty()) {
    journal.Append(L"refused", {{L"function", L"start"}, {L"reason", refusal}});
    return 2;
  }
  const std::wstring library = siblings::Journal::OwnFolder() + L"tandipc.dll";
  sheer_vip::SheerIpcLibrary ipc(LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  siblings::VipService service(ipc);
  if (!service.Start()) {
    journal.Append(L"stop", {{L"reason", ipc.loaded() ? L"channel already served" : L"no IPC library"}});
    return 1;
  }
  service.Run(30000);
  return 0;
}
