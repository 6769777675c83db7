#pragma once

#include <memory>
#include <string>
#include <vector>

#include "JournalReader.h"
#include "TestFiles.h"
#include "network/ZTessikNetvok.h"
#include "product/DomainTransferClient.h"

namespace testing_support {

// A product folder in a temporary place with the network library and the domain transfer
// stand-ins copied in, and the clients the module would make over them.
class HttpTestProduct {
 public:
  // rules: "from<TAB>to" lines for wexutil.map; bundle: a PEM file copied to data\cacert.pem.
  explicit HttpTestProduct(const std::string& rules = {}, const std::wstring& bundle = {}, bool withNetvok = true);

  const std::wstring& folder() const { return folder_; }
  std::unique_ptr<network::ZTessikNetvok> MakeClient();
  // The network library's journal in this folder.
  std::vector<JournalEntry> Journal(const std::wstring& call = {}) const;
  // A marker file beside the library ("netvok.fail-request", ...).
  void Mark(const std::wstring& name) const;

 private:
  TempDir dir_;
  std::wstring folder_;
  std::unique_ptr<product::DomainTransferClient> transfer_;
};

}  // namespace testing_support
