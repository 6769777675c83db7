#pragma once

#include <optional>
#include <string>

#include "product/HostSystem.h"

namespace product {

struct DetectionResult {
  int productId = 0;
  std::wstring productFolder;  // ends with a backslash
};

// Which product of the family hosts the module: the longest registered installation folder that
// contains the host executable.
class ProductDetector {
 public:
  explicit ProductDetector(HostSystem& system) : system_(system) {}

  DetectionResult Detect();
  // The installation folder a product records, as read (no backslash added); nothing for an id
  // without a row or a missing or empty value.
  std::optional<std::wstring> FolderOf(int productId);

  // The process's detection, run once.
  static const DetectionResult& Current();

 private:
  bool TryCandidate(int productId, const std::wstring& executable, DetectionResult& result);

  HostSystem& system_;
  bool matched_ = false;
};

}  // namespace product
