#pragma once

#include "FuzzTarget.h"

namespace hardening {

// The bundle loader on serial forms. Most mutated forms get their checksums (and sometimes their
// lengths) repaired, nested ones first, so the item walk is reached. Checks: the loader accepts
// exactly what a second reading of the rules accepts; an accepted form serialises to a form that
// loads and serialises the same; loading it again into the same bundle fails and changes nothing.
class BundleFuzzTarget final : public FuzzTarget {
 public:
  const char* Name() const override { return "bundle"; }
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override;
  void Adjust(std::string& input, FuzzRandom& random) override;
  FuzzVerdict Run(const std::string& input) override;

 private:
  static void Repair(std::string& data, size_t offset, size_t length, int depth, bool lengths);
};

}  // namespace hardening
