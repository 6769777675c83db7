#pragma once

#include "FuzzTarget.h"
#include "TestFiles.h"

namespace hardening {

// The INI parser of both INI classes on file bytes. Checks: the reader, the state document and a
// plain second reading of the line rules agree on the result and on every pair kept; lookups
// ignore case; what the state document writes (as saved: UTF-8) reads back to the same text.
// Every 64th input also goes through a real file: load, save, load.
class IniFuzzTarget final : public FuzzTarget {
 public:
  const char* Name() const override { return "ini"; }
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override { return {"[", "[[", "[a]\n[", "k=[\n"}; }
  FuzzVerdict Run(const std::string& input) override;

 private:
  FuzzVerdict ThroughFiles(const std::string& input);

  size_t runs_ = 0;
  testing_support::TempDir folder_;
};

}  // namespace hardening
