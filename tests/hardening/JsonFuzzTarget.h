#pragma once

#include "FuzzTarget.h"
#include "utils/UxJson.h"

namespace hardening {

// Both JSON models on the same text. Checks: a refusal leaves no root and a known error code with
// a position inside the text; both models accept the same texts and read the same values (the
// 32-bit one the low half of each number); what is accepted is written, read back to the same
// tree (compact and pretty) and written again to the same text.
class JsonFuzzTarget final : public FuzzTarget {
 public:
  explicit JsonFuzzTarget(bool wide) : wide_(wide) {}
  const char* Name() const override { return wide_ ? "json64" : "json32"; }
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override;
  FuzzVerdict Run(const std::string& input) override;

  // Same tree; with narrowed, b's integers are compared as the low 32 bits of a's.
  static bool SameTree(const qm::json::Handle& a, const qm::json::Handle& b, bool narrowed);

 private:
  template <class Document>
  FuzzVerdict Check(Document& document, const std::wstring& text);

  bool wide_;
  qm::UxJson::Document narrow_;  // reused across inputs: a refusal must clear what was there
  UxJsonEx::Document wideDocument_;
};

}  // namespace hardening
