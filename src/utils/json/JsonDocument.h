#pragma once

#include <memory>
#include <string>

#include "utils/json/JsonHandle.h"
#include "utils/json/JsonValue.h"

namespace qm::json {

// Owns the root value. Parsing tries the root kinds in a fixed order and keeps the first that
// parses; text after the root value is ignored.
class Document : public Handle {
 public:
  explicit Document(const Dialect& dialect);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  using Handle::operator=;

  bool Parse(const std::wstring& text);
  const Error& GetError() const { return error_; }

  void ReplaceRoot(std::unique_ptr<Value> root);
  Value* root() const { return root_.get(); }

 private:
  bool TryRoot(Kind kind, const std::wstring& text);

  std::unique_ptr<Value> root_;
  Error error_;
};

}  // namespace qm::json
