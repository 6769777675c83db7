#pragma once

#include <memory>

#include "report/IPDFTalloAdapter.h"
#include "report/TalloHostFacts.h"
#include "utils/ZIniReader.h"

namespace report {

// One record's reporting path: the adapter of the host type (or none, and the record is dropped)
// and the host's configuration file. Callers create one holder per record.
class TalloAdapterHolder {
 public:
  explicit TalloAdapterHolder(const TalloHostFacts& facts);
  TalloAdapterHolder(const TalloAdapterHolder&) = delete;
  TalloAdapterHolder& operator=(const TalloAdapterHolder&) = delete;

  // The process's host.
  static std::unique_ptr<TalloAdapterHolder> CreateCurrent();

  IPDFTalloAdapter* adapter() const { return adapter_.get(); }
  const qm::ZIniReader& config() const { return config_; }
  // The product id the purchase record carries: the configuration's "product_id", else the
  // host's own default (13 or 111 for type 3, 20 for types 4 and 5, else the host type), and
  // 103 for a configured 13 of the product variant.
  int ProductId() const;

 private:
  static std::unique_ptr<IPDFTalloAdapter> CreateAdapter(const TalloHostFacts& facts);

  int hostType_ = 0;
  bool hostApplicationPresent_ = false;
  std::unique_ptr<IPDFTalloAdapter> adapter_;
  qm::ZIniReader config_;
};

}  // namespace report
