// Part of HostFixture: the stand-in processes a host left running.
#include <windows.h>
#include <tlhelp32.h>

#include <cwctype>

#include "HostFixture.h"
#include "product/ProductConstants.h"
#include "utils/ScopedHandle.h"

namespace fixture {

namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

std::wstring ImagePath(HANDLE process) {
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  return QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size) : std::wstring();
}

}  // namespace

void HostFixture::EndStandInProcesses(bool anywhere) const {
  const std::wstring service = Lower(product::constants::kTessikVipService.Reveal());
  const std::wstring root = Lower(options_.root);
  qm::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (Lower(entry.szExeFile) != service) continue;
    qm::ScopedHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process || (!anywhere && Lower(ImagePath(process.get())).rfind(root, 0) != 0)) continue;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
  }
}

}  // namespace fixture
