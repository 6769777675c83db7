#pragma once

#include <string>

#include "utils/UxJson.h"

namespace siblings {

// The account state the VIP stand-ins (service, privilege store, account library) share: the
// file named by ACTIVITY_VIP_STATE, else "vip.state.json" beside the stand-in.
class VipStateFile {
 public:
  static std::wstring Path();
  // False when the file is missing, unreadable, over 1 MiB or not a JSON object.
  static bool Read(UxJsonEx::Document& doc);
  // Changes whenever the file is written, created or removed.
  static std::wstring Stamp();
};

}  // namespace siblings
