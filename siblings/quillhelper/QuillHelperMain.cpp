// The helper stand-in. "-force_update_vanta" records a refresh in the registry the way the
// remote-configuration library's side does; "-admin" starts a program with its decoded argument.
// A file "quillhelper.behaviour" beside it holding "exit1" or "hang SECONDS" changes the refresh.
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "common/BehaviourFile.h"
#include "common/Journal.h"
#include "quillhelper/HelperCommand.h"

namespace {

int ForceUpdate(siblings::Journal& journal) {
  const std::string behaviour = siblings::BehaviourFile::Read(L"quillhelper.behaviour");
  if (behaviour.rfind("exit1", 0) == 0) return 1;
  if (behaviour.rfind("hang", 0) == 0) {
    Sleep(static_cast<DWORD>(atoi(behaviour.c_str() + 4)) * 1000);  // bounded: nothing is left behind
    journal.Append(L"hang_ended", {});  // tells whether anyone waited for the hang
    return 0;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\quillon\\vanta", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return 2;
  }
  const DWORD now = static_cast<DWORD>(_time64(nullptr));
  RegSetValueExW(key, L"last_update_time", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&now), sizeof(now));
  RegCloseKey(key);
  journal.Append(L"updated", {{L"last_update_time", std::to_wstring(now)}});
  return 0;
}

int StartWithArgument(siblings::Journal& journal, const siblings::HelperCommand& command) {
  std::wstring argument;
  const bool decoded = command.DecodeParameter(argument);
  journal.Append(L"admin", {{L"program", command.program},
                            {L"argument", decoded ? argument : L"<undecodable>"},
                            {L"host_type", std::to_wstring(command.hostType)}});
  if (!decoded) return 3;
  std::wstring commandLine = L"\"" + command.program + L"\" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(command.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return 4;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}

}  // namespace

int wmain(int, wchar_t**) {
  siblings::Journal journal(L"quillhelper");
  const std::wstring commandLine = GetCommandLineW();
  journal.Append(L"run", {{L"command_line", commandLine}});
  const siblings::HelperCommand command = siblings::HelperCommand::Parse(commandLine);
  if (command.forceUpdate) return ForceUpdate(journal);
  if (command.admin) return StartWithArgument(journal, command);
  return 5;
}
