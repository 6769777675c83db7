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
  // The product id records carry: the configuration's "product_id", else the host type.
  int ProductId() const;

 private:
  static std::unique_ptr<IPDFTalloAdapter> CreateAdapter(const TalloHostFacts& facts);

  int hostType_ = 0;
  std::unique_ptr<IPDFTalloAdapter> adapter_;
  qm::ZIniReader config_;
};

}  // namespace report
