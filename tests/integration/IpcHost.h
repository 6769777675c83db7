#pragma once

// A host of type 1 or 7 installed by the host fixture with the VIP stand-ins (IPC library, VIP
// service, privilege store; account library), and the IPC probe in its installation folder.

#include <string>
#include <vector>

#include "JournalReader.h"
#include "utils/UxJson.h"

namespace ipc_test {

class IpcHost {
 public:
  IpcHost() = default;
  ~IpcHost();
  IpcHost(const IpcHost&) = delete;
  IpcHost& operator=(const IpcHost&) = delete;

  // Installs under C:\activity-hosts\ipcN (N the type and a tag) and places the probe.
  bool Install(int type, const std::wstring& tag, const std::wstring& options = {});
  void WriteState(const std::string& json) const;
  // A state file outside the installation, for the probe's --new-state.
  std::wstring StagedState(const std::string& json, const std::wstring& name) const;
  bool Probe(const std::wstring& arguments, UxJsonEx::Document& report) const;

  std::vector<testing_support::JournalEntry> Journal(const std::wstring& component,
                                                     const std::wstring& call = {}) const;
  std::vector<testing_support::JournalEntry> WaitJournal(const std::wstring& component, const std::wstring& call,
                                                         size_t count) const;
  std::vector<testing_support::JournalEntry> HelperJournal(const std::wstring& call = {}) const;
  // Prints a journal, so the test's output shows what the stand-in was asked.
  void Show(const std::wstring& component) const;
  const std::wstring& folder() const { return folder_; }
  const std::wstring& root() const { return root_; }

 private:
  int type_ = 1;
  std::wstring root_;
  std::wstring folder_;
};

}  // namespace ipc_test
