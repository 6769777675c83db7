#include "IpcHost.h"

#include <windows.h>

#include <cstdio>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "utils/TextEncoding.h"

namespace ipc_test {

using testing_support::ChildProcess;

IpcHost::~IpcHost() {
  // Also ends a VIP service the module started from the host's folder.
  if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type " + std::to_wstring(type_) + L" --root " + root_);
}

bool IpcHost::Install(int type, const std::wstring& tag, const std::wstring& options) {
  type_ = type;
  root_ = L"C:\\activity-hosts\\ipc" + std::to_wstring(type) + tag;
  folder_ = root_ + (type == 1 ? L"\\Tessik\\" : L"\\Fennick\\");
  if (ChildProcess::Run(L"hostfixture.exe", L"install --type " + std::to_wstring(type) + L" --root " + root_ +
                                                L" --tryno 321 " + options) != 0) {
    return false;
  }
  const std::wstring built = testing_support::ExecutableFolder();
  return CopyFileW((built + L"ipcprobe.exe").c_str(), (folder_ + L"ipcprobe.exe").c_str(), FALSE) != FALSE;
}

void IpcHost::WriteState(const std::string& json) const {
  testing_support::WriteBytes(folder_ + L"vip.state.json", json);
}

std::wstring IpcHost::StagedState(const std::string& json, const std::wstring& name) const {
  const std::wstring path = root_ + L"\\" + name;
  testing_support::WriteBytes(path, json);
  return path;
}

bool IpcHost::Probe(const std::wstring& arguments, UxJsonEx::Document& report) const {
  std::string output;
  const int code = ChildProcess::RunCapturing(folder_ + L"ipcprobe.exe", arguments, output);
  if (code != 0) {
    printf("ipcprobe %ls exited with %d (0x%08x): %s\n", arguments.c_str(), code, static_cast<unsigned>(code), output.c_str());
    return false;
  }
  printf("probe %ls: %s", arguments.c_str(), output.c_str());
  return report.Parse(qm::encoding::Utf8ToWide(output));
}

std::vector<testing_support::JournalEntry> IpcHost::Journal(const std::wstring& component,
                                                            const std::wstring& call) const {
  return testing_support::ReadJournal(folder_ + component + L".journal.jsonl", call);
}

std::vector<testing_support::JournalEntry> IpcHost::WaitJournal(const std::wstring& component,
                                                                const std::wstring& call, size_t count) const {
  return testing_support::WaitForJournal(folder_ + component + L".journal.jsonl", call, count);
}

std::vector<testing_support::JournalEntry> IpcHost::HelperJournal(const std::wstring& call) const {
  return testing_support::ReadJournal(folder_ + L"app\\inkread\\quillhelper.journal.jsonl", call);
}

void IpcHost::Show(const std::wstring& component) const {
  const std::string text = testing_support::ReadBytes(folder_ + component + L".journal.jsonl");
  printf("--- %ls.journal.jsonl\n%s", component.c_str(), text.c_str());
}

}  // namespace ipc_test
