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
};

}  // namespace siblings
