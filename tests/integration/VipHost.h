#pragma once

// A host installed by the host fixture, with the VIP SDK stand-in, its state file and the VIP
// probe copied into the installation folder (where the module looks for the SDK library).

#include <string>
#include <vector>

#include "JournalReader.h"
#include "utils/UxJson.h"

namespace vip_test {

class VipHost {
 public:
  VipHost() = default;
  ~VipHost();
  VipHost(const VipHost&) = delete;
  VipHost& operator=(const VipHost&) = delete;

  // Installs a host of this type under C:\activity-hosts\vipN with the fixture's options.
  bool Install(int type, const std::wstring& options);
  // Copies the stand-in and the probe beside the module.
  bool PlaceVipSdk();
  void WriteState(const std::string& json) const;
  // The "ProductLine" the host's updater records in the server list beside the module.
  void SetProductLine(int line) const;
  // Runs the probe with these arguments and parses its report.
  bool Probe(const std::wstring& arguments, UxJsonEx::Document& report) const;

  // The page program's command lines from "--open_web" on, in the order they were journaled.
  // Waits (bounded) until at least count runs were journaled.
  std::vector<std::wstring> PageCommands(size_t count = 0) const;
  std::vector<testing_support::JournalEntry> SdkJournal(const std::wstring& call = {}) const;
  const std::wstring& folder() const { return folder_; }

  static std::wstring InstallationFolderName(int type);

 private:
  std::wstring root_;
  std::wstring folder_;
};

}  // namespace vip_test
