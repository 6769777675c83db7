#include "VipHost.h"

#include <windows.h>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "utils/TextEncoding.h"

namespace vip_test {

using testing_support::ChildProcess;

VipHost::~VipHost() {
  if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type 1 --root " + root_);
}

std::wstring VipHost::InstallationFolderName(int type) {
  switch (type) {
    case 1: return L"Tessik";
    case 2: return L"Orbilant";
    case 3: return L"Quillon";
    case 4:
    case 5: return L"PdfBuild";
    case 6: return L"PageSdk";
    default: return L"Fennick";
  }
}

bool VipHost::Install(int type, const std::wstring& options) {
  root_ = L"C:\\activity-hosts\\vip" + std::to_wstring(type);
  folder_ = root_ + L"\\" + InstallationFolderName(type) + L"\\";
  return ChildProcess::Run(L"hostfixture.exe",
                           L"install --type " + std::to_wstring(type) + L" --root " + root_ + L" " + options) == 0;
}

bool VipHost::PlaceVipSdk() {
  const std::wstring built = testing_support::ExecutableFolder();
  return CopyFileW((built + L"wystanvipsdk.dll").c_str(), (folder_ + L"wystanvipsdk.dll").c_str(), FALSE) &&
         CopyFileW((built + L"vipprobe.exe").c_str(), (folder_ + L"vipprobe.exe").c_str(), FALSE);
}

void VipHost::WriteState(const std::string& json) const {
  testing_support::WriteBytes(folder_ + L"vipsdk.state.json", json);
}

void VipHost::SetProductLine(int line) const {
  WritePrivateProfileStringW(L"common", L"ProductLine", std::to_wstring(line).c_str(),
                             (folder_ + L"upfeed.svr").c_str());
}

bool VipHost::Probe(const std::wstring& arguments, UxJsonEx::Document& report) const {
  std::string output;
  if (ChildProcess::RunCapturing(folder_ + L"vipprobe.exe", arguments, output) != 0) return false;
  return report.Parse(qm::encoding::Utf8ToWide(output));
}

std::vector<std::wstring> VipHost::PageCommands(size_t count) const {
  std::vector<std::wstring> commands;
  for (const auto& entry : testing_support::WaitForJournal(folder_ + L"vippage.journal.jsonl", L"run", count)) {
    const std::wstring& line = entry.at(L"command_line");
    const size_t start = line.find(L"--open_web");
    commands.push_back(start == std::wstring::npos ? line : line.substr(start));
  }
  return commands;
}

std::vector<testing_support::JournalEntry> VipHost::SdkJournal(const std::wstring& call) const {
  return testing_support::ReadJournal(folder_ + L"vipsdk.journal.jsonl", call);
}

}  // namespace vip_test
