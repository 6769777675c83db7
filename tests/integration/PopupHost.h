#pragma once

// A host installed by the host fixture with everything the pop-up needs from the outside: the
// local VIP-centre service for prices and pictures (through the domain-transfer rules), a campaign
// in the remote configuration, and the demo host as the host executable, which shows the pop-up and
// clicks it like a person.

#include <string>
#include <vector>

#include "JournalReader.h"
#include "VipCenterService.h"

namespace popup_test {

struct Campaign {
  int group = 2;
  int countDownHours = 2;
  int months = 12;
  int updateMinutes = 0;
  bool oldInstall = false;  // installed (and first opened) 30 days ago
  std::string qaUuids;      // the item's qa_uuids, when not empty
};

struct HostRun {
  int exitCode = -1;
  int result = -1;  // the pop-up's result, -1 when it did not show
  bool shown = false;
  bool shownNotAccepted = false;
  std::string output;  // the demo host's output with the module's log
  long long uninitializeMs = -1;
};

class PopupHost {
 public:
  explicit PopupHost(int type) : type_(type) {}
  ~PopupHost();
  PopupHost(const PopupHost&) = delete;
  PopupHost& operator=(const PopupHost&) = delete;

  // Publishes the campaign's pictures, writes its item and installs the host; extra goes to the fixture.
  bool Install(const Campaign& campaign, const std::wstring& extra = L"");
  // The VIP SDK's account (host types 2 to 5) as its stand-in reads it.
  void WriteVipSdkState(const std::string& json) const;
  HostRun Run(const std::wstring& click, const std::wstring& more = L"") const;

  std::vector<testing_support::JournalEntry> Records() const;
  // The page program's command lines, waiting up to limitMs for the expected number.
  std::vector<std::wstring> PageCommands(size_t expected, unsigned long limitMs = 20000) const;
  std::vector<testing_support::JournalEntry> Journal(const std::wstring& component, const std::wstring& call) const;
  std::wstring UtilFolder() const;
  std::wstring ShowRecordFile() const { return UtilFolder() + L"sdkutilcfg.ini"; }
  std::vector<testing_support::ServiceRequest> Requests() const { return service_.Requests(L"demo", tag_); }
  int type() const { return type_; }

 private:
  std::wstring PublishPicture(const std::string& field, int width, int height, unsigned colour) const;
  std::wstring HostExecutable() const;
  std::wstring LocalFolderName() const;

  int type_;
  std::wstring tag_;
  std::wstring root_;
  std::wstring folder_;
  testing_support::VipCenterService service_;
};

}  // namespace popup_test
