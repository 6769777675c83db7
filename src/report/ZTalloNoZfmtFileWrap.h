#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "family/Tallo.h"

namespace report {

// The Tessik host's reporting client library, loaded from the first folder that holds it, and
// its export. The client is handed out under the interface name of the first slot.
class ZTalloNoZfmtFileWrap final {
 public:
  // Folders end with a backslash; empty ones are skipped.
  explicit ZTalloNoZfmtFileWrap(const std::vector<std::wstring>& folders);
  ~ZTalloNoZfmtFileWrap();
  ZTalloNoZfmtFileWrap(const ZTalloNoZfmtFileWrap&) = delete;
  ZTalloNoZfmtFileWrap& operator=(const ZTalloNoZfmtFileWrap&) = delete;

  virtual const wchar_t* InterfaceName() const { return tallo::kClientInterfaceName; }

  bool IsLoaded() const { return export_ != nullptr; }
  // A new client, or null without the library or its export.
  tallo::ITalloClient2* CreateClient() const;

 private:
  HMODULE module_ = nullptr;
  tallo::GetExportInterfaceFn export_ = nullptr;
};

}  // namespace report
