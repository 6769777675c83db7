#pragma once

// The VIP SDK stand-in copied into a temporary folder with a state file of the test's choosing,
// loaded the way the module loads it; the VIP page program and the helper beside it.

#include <windows.h>

#include <memory>
#include <string>

#include "JournalReader.h"
#include "TestFiles.h"
#include "vip/VipSdkLibrary.h"

namespace vip_test {

class VipStandIn {
 public:
  VipStandIn() {
    CopyFileW((testing_support::ExecutableFolder() + L"wystanvipsdk.dll").c_str(), Path(L"wystanvipsdk.dll").c_str(),
              FALSE);
  }
  ~VipStandIn() { library_.reset(); }

  std::wstring Folder() const { return dir_.path() + L"\\"; }
  std::wstring Path(const std::wstring& name) const { return dir_.File(name); }

  void WriteState(const std::string& json) const { testing_support::WriteBytes(Path(L"vipsdk.state.json"), json); }
  // Copies a program of the build into the folder under another name.
  void Place(const std::wstring& built, const std::wstring& name) const {
    CopyFileW((testing_support::ExecutableFolder() + built).c_str(), Path(name).c_str(), FALSE);
  }
  vip_sdk::IBaseInterface* Root() {
    if (!library_) library_ = std::make_unique<vip::VipSdkLibrary>(Path(L"wystanvipsdk.dll"), true);
    return library_->root();
  }
  std::vector<testing_support::JournalEntry> Journal(const std::wstring& call = {}) const {
    return testing_support::ReadJournal(Path(L"vipsdk.journal.jsonl"), call);
  }

 private:
  testing_support::TempDir dir_;
  std::unique_ptr<vip::VipSdkLibrary> library_;
};

// User-info texts of the stand-in's state.
inline std::string LoggedOutState() {
  return R"({"logged_in": false})";
}
inline std::string LoggedInState(const std::string& extra = {}) {
  return R"({"logged_in": true, "user_info": {"open_id": "o-1", "token": "t-1", "vip_type": 0, "nickname": "Ann",)"
         R"( "avatar": "a.png", "vip_ex_date": 0, "is_continuous": "0"})" +
         extra + "}";
}
inline std::string VipState() {
  return R"({"logged_in": true, "vip": true, "privileges": ["pdf_to_word"], "interface_version": 8,)"
         R"( "user_info": {"open_id": "o-2", "token": "t-2", "vip_type": 4294967298, "nickname": "Bo",)"
         R"( "avatar": "b.png", "vip_ex_date": 8589934593, "is_continuous": "1", "permission_vip_info": 7,)"
         R"( "expire_permission_vip_info": 1700000000000},)"
         R"( "vip_list": [{"vip_type": "2", "vip_ex_date": 111}, {"vip_type": "3", "vip_ex_date": 222},)"
         R"( {"vip_type": "5", "vip_ex_date": 555}]})";
}

}  // namespace vip_test
