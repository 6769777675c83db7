#include "vip/Win32TessikVipHost.h"

#include <windows.h>
#include <tlhelp32.h>

#include "product/ChannelReader.h"
#include "product/HelperLauncher.h"
#include "product/ProductConstants.h"
#include "utils/ScopedHandle.h"
#include "vip/TessikPrivilegeStore.h"

namespace vip {

std::wstring Win32TessikVipHost::BesideHost(const std::wstring& name) {
  const std::wstring host = system_.ExecutablePath();
  const std::wstring folder = host.substr(0, host.find_last_of(L"\\/") + 1);
  if (!product::IsAbsoluteFolder(folder)) return {};
  return folder + name;
}

bool Win32TessikVipHost::IsServiceRunning() {
  const std::wstring name = product::constants::kTessikVipService.Reveal();
  qm::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, name.c_str()) == 0) return true;
  }
  return false;
}

bool Win32TessikVipHost::StartVipService() {
  const std::wstring program = BesideHost(product::constants::kTessikVipService.Reveal());
  if (program.empty()) return false;
  // Quoted, or a folder with a space would make Windows try "C:\Program.exe" first.
  std::wstring commandLine = L"\"" + program + L"\" /runhide";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32TessikVipHost::Wait(unsigned long milliseconds) { Sleep(milliseconds); }

bool Win32TessikVipHost::HasPrivilege(const std::wstring& name) {
  return TessikPrivilegeStore::Instance().HasPrivilege(name);
}

int Win32TessikVipHost::TryNo() {
  return product::ChannelReader(system_, product::ProductInfo::Instance()).TryNo();
}

bool Win32TessikVipHost::StartPage(const std::wstring& arguments) {
  const std::wstring program = BesideHost(product::constants::kTessikVipPageProgram.Reveal());
  if (program.empty()) return false;
  return product::HelperLauncher(system_, product::ProductInfo::Instance()).StartWithRights(program, arguments);
}

}  // namespace vip
