#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/Journal.h"
#include "family/DomainTransfer.h"

namespace siblings {

// The domain-transfer stand-in: rewrites URL prefixes from "wexutil.map" beside it, one rule a
// line, "from<TAB>to". Without a matching rule a transfer fails and the caller keeps its URL.
// A file "wexutil.refuse" beside it makes Initialize fail.
class WexUtilTransfer final : public qm::IDomainTransfer {
 public:
  WexUtilTransfer();

  int __stdcall Reserved0() override { return 0; }
  int __stdcall Reserved1() override { return 0; }
  int __stdcall Initialize(qm::IProductConfig* config) override;
  void __stdcall Release() override;
  int __stdcall Transfer(const wchar_t* url, IFuncCallBack* callback) override;

  // "wexutil.behaviour" beside the library, read once: how this stand-in fails on purpose.
  static std::string Behaviour();

 private:
  void LoadRules();

  Journal journal_;
  std::vector<std::pair<std::wstring, std::wstring>> rules_;
};

}  // namespace siblings
