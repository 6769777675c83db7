#include "vdpriv/PrivilegeList.h"

#include "common/Journal.h"
#include "vipstate/VipStateFile.h"

namespace siblings {

std::vector<std::wstring> PrivilegeList::Read(const wchar_t* member) {
  std::vector<std::wstring> names;
  UxJsonEx::Document doc;
  if (!VipStateFile::Read(doc)) return names;
  const auto list = doc.Get(member);
  for (size_t i = 0; i < list.Size(); ++i) names.push_back(list.At(i).AsString());
  return names;
}

bool PrivilegeList::Grants(const wchar_t* member, const wchar_t* name) {
  if (!name) return false;
  for (const std::wstring& granted : Read(member)) {
    if (granted == name) return true;
  }
  return false;
}

bool PrivilegeList::Answer(const wchar_t* member, const wchar_t* library, const wchar_t* name) {
  const bool granted = Grants(member, name);
  Journal(L"vdpriv").Append(L"HasPrivilege", {{L"library", library},
                                              {L"name", name ? name : L""},
                                              {L"granted", granted ? L"true" : L"false"}});
  return granted;
}

}  // namespace siblings
