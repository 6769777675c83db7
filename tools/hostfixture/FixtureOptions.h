#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fixture {

// What a simulated host installation looks like. Unset values are left out of the files and
// the registry, so the module's defaults apply.
struct FixtureOptions {
  std::wstring command;  // install | remove
  int hostType = 3;
  std::wstring root;  // a Windows folder the fixture owns, e.g. C:\activity-hosts\t3

  std::map<std::wstring, unsigned long> channel;  // tid1, tid2, tod1, tod2, pid, installtime
  bool tid1AsQword = false;                        // an 8-byte value the module must ignore
  std::optional<int> tryno;
  std::optional<int> familyRow;      // 5 or 101: record the installation as that family product
  std::optional<int> firstOpenTime;  // HKLM <channel key>\inkread first_open_time (types 1, 2)
  bool noServerList = false;
  std::optional<int> edition;
  std::optional<int> productLine;
  std::optional<int> productId;
  std::optional<int> abProduct;
  std::optional<int> account;
  std::optional<std::wstring> channelName;  // chan_name (4, 5, 6) or reg_name (3)
  std::optional<std::wstring> cacheDir;
  bool scrambledComponentConfig = false;
  bool noPdfApplication = false;
  bool noIdentityFiles = false;
  std::optional<int> pageSdkEdition;
  std::optional<std::wstring> pageSdkDir;
  std::optional<std::wstring> svrid;
  std::optional<std::wstring> uuid;
  // Remote-configuration identity and data.
  std::optional<std::wstring> uid;     // key B "uid"
  std::optional<std::wstring> idex;    // key C "idex"
  std::optional<std::wstring> obUuid;  // the Orbilant key's "UUID"
  std::optional<int> iid;
  std::optional<int> city;
  bool noRemoteConfig = false;
  bool noRelativeRegPath = false;
  std::optional<std::wstring> remoteConfigFile;  // a zvanta.json to use instead of the default
  std::optional<std::wstring> helperBehaviour;   // quillhelper.behaviour: exit1, "hang N"
  std::optional<std::wstring> vipStateFile;    // vip.state.json for the VIP stand-ins (types 1, 7)
  bool noPrivilegeExtra = false;                // type 1 without the privilege store's second library
  bool withWexutil = false;
  std::vector<std::pair<std::wstring, std::wstring>> wexutilRules;

  bool Parse(int argc, wchar_t** argv, std::wstring& error);
  static const char* Usage();
};

}  // namespace fixture
