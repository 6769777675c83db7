#pragma once

#include <string>
#include <vector>

#include "FuzzRandom.h"

namespace hardening {

// What one input did: accepted or refused by the parser, and, when a check failed, why.
struct FuzzVerdict {
  bool accepted = false;
  std::string failure;  // empty: every check held

  static FuzzVerdict Accepted(bool accepted) { return FuzzVerdict{accepted, {}}; }
  FuzzVerdict& Check(bool condition, const char* what) {
    if (!condition && failure.empty()) failure = what;
    return *this;
  }
};

// One parser under hostile input: valid documents to start from, tokens its grammar is made of,
// and the checks run on every input.
class FuzzTarget {
 public:
  virtual ~FuzzTarget() = default;
  virtual const char* Name() const = 0;
  virtual std::vector<std::string> Corpus() = 0;
  virtual std::vector<std::string> Tokens() const = 0;
  // Tokens that open a nesting level, for the deep-nesting mutation.
  virtual std::vector<std::string> Openers() const = 0;
  // A last touch on a mutated input before it is fed (e.g. repairing checksums, so that mutations
  // reach past the integrity checks); the input fed is what is reported.
  virtual void Adjust(std::string& input, FuzzRandom& random) {
    (void)input;
    (void)random;
  }
  virtual FuzzVerdict Run(const std::string& input) = 0;
  // Called once after the run, to print what the target counted itself.
  virtual std::string Summary() const { return {}; }
};

}  // namespace hardening
