#pragma once

#include <string>
#include <vector>

namespace siblings {

// The privileges one of the store's libraries grants, read anew from the VIP state file:
// the member "privileges" for the first library, "privileges_extra" for the second.
class PrivilegeList {
 public:
  static std::vector<std::wstring> Read(const wchar_t* member);
  static bool Grants(const wchar_t* member, const wchar_t* name);
  // Grants, with a "HasPrivilege" line in vdpriv.journal.jsonl naming the library that asked.
  static bool Answer(const wchar_t* member, const wchar_t* library, const wchar_t* name);
};

}  // namespace siblings
