#pragma once

#include <windows.h>

#include <string>

#include "family/PrivilegeStore.h"
#include "vip/VipCriticalSection.h"

namespace vip {

// The Tessik host's privilege store: the first library answers first; the second one is loaded
// anew for each question it gets, and only when its file is there.
class TessikPrivilegeStore {
 public:
  // folder: the host's program folder (a trailing backslash is added), "" when unknown.
  explicit TessikPrivilegeStore(std::wstring folder);
  ~TessikPrivilegeStore();
  TessikPrivilegeStore(const TessikPrivilegeStore&) = delete;
  TessikPrivilegeStore& operator=(const TessikPrivilegeStore&) = delete;

  // Created on first use from "ProgramPath" of the Tessik host's key; kept until unload.
  static TessikPrivilegeStore& Instance();

  bool HasPrivilege(const std::wstring& name);

 private:
  bool AskFirst(const std::wstring& name);
  bool AskSecond(const std::wstring& name);
  void DropSecond();

  std::wstring folder_;
  HMODULE first_ = nullptr;
  vdpriv::IPrivilegeQuery* firstQuery_ = nullptr;
  VipCriticalSection lock_;
  HMODULE second_ = nullptr;                      // under lock_
  vdpriv::IPrivilegeObject* secondObject_ = nullptr;  // under lock_
};

}  // namespace vip
