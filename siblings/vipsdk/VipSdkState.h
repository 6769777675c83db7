#pragma once

#include <string>
#include <vector>

namespace siblings {

// The account the stand-in reports, read anew from "vipsdk.state.json" beside it on every call:
//   {"product_line": 2, "interface_version": 8, "logged_in": true, "vip": true,
//    "privileges": ["pdf_to_word"], "user_info": {...} or "raw text", "vip_list": [...],
//    "extended": true}
// A missing or unreadable file is a logged-out user of the newer generation.
struct VipSdkState {
  int productLine = 1;
  int interfaceVersion = 8;
  bool loggedIn = false;
  bool vip = false;
  bool extended = false;
  std::vector<std::wstring> privileges;
  bool hasUserInfo = false;
  std::wstring userInfoJson;  // the object as compact text, or the raw string as it stands
  bool hasVipList = false;
  std::wstring vipListJson;

  bool HasPrivilege(const std::wstring& name) const;

  static std::wstring Path();
  static std::string ReadText();  // the file's bytes, "" when missing
  static VipSdkState Parse(const std::string& bytes);
  static VipSdkState Read() { return Parse(ReadText()); }

  // "vipsdk.behaviour" beside the library, read once: how this stand-in fails on purpose.
  //   null-object        GetInterface succeeds without a root;  fail: it refuses
  //   no-component       the root hands out no core interface
  //   no-answer [MS]     the service behind the SDK does not answer: each account call waits MS
  //                      milliseconds (default 0) and then answers as for a logged-out user
  static std::string Behaviour();
  static void WaitIfNotAnswering();
  static bool NotAnswering() { return Behaviour().rfind("no-answer", 0) == 0; }
};

}  // namespace siblings
