#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "FuzzRandom.h"

namespace hardening {

// Makes hostile inputs from valid ones: bit flips, byte insertion and deletion, truncation,
// splices of two documents, deep nesting, huge numbers, invalid UTF-8 and UTF-16 and very long
// tokens. Inputs that the parser accepted may be mutated again, so the run goes deeper.
class FuzzMutator {
 public:
  static constexpr size_t kMaxInput = 256 * 1024;

  FuzzMutator(FuzzRandom& random, std::vector<std::string> corpus, std::vector<std::string> tokens,
              std::vector<std::string> openers);

  std::string Next();
  // Keeps an accepted input as a base for later mutations (a bounded pool).
  void Remember(const std::string& input);

 private:
  void MutateOnce(std::string& data);
  void FlipBits(std::string& data);
  void InsertBytes(std::string& data);
  void DeleteRange(std::string& data);
  void Splice(std::string& data);
  void InsertToken(std::string& data);
  void Nest(std::string& data);
  void HugeNumber(std::string& data);
  void BadUtf8(std::string& data);
  void BadUtf16(std::string& data);
  void LongToken(std::string& data);
  void CopyRange(std::string& data);
  size_t Position(const std::string& data) { return random_.Below(data.size() + 1); }

  FuzzRandom& random_;
  std::vector<std::string> corpus_;
  std::vector<std::string> tokens_;
  std::vector<std::string> openers_;
  std::vector<std::string> pool_;
};

}  // namespace hardening
