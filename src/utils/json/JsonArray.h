#pragma once

#include <memory>
#include <vector>

#include "utils/json/JsonValue.h"

namespace qm::json {

class ValueArray final : public Value {
 public:
  ValueArray() : Value(Kind::Array) { elements_.reserve(5); }
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool pretty, int indent, int step) const override;
  bool ReplaceChild(const Value* child, std::unique_ptr<Value> replacement) override;

  size_t size() const { return elements_.size(); }
  Value* at(size_t index) const { return index < elements_.size() ? elements_[index].get() : nullptr; }
  // Shrinking destroys the removed elements; growing appends nulls.
  void Resize(size_t size);
  Value* Append(std::unique_ptr<Value> value);

 private:
  std::vector<std::unique_ptr<Value>> elements_;
};

}  // namespace qm::json
