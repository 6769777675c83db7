#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "utils/json/JsonValue.h"

namespace qm::json {

// Members keep the order in which their keys first appeared, so written text is stable.
class ValueObject final : public Value {
 public:
  ValueObject() : Value(Kind::Object) {}
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool pretty, int indent, int step) const override;
  bool ReplaceChild(const Value* child, std::unique_ptr<Value> replacement) override;

  Value* Find(const std::wstring& key) const;
  // Stores value under key, replacing what the key held.
  Value* Set(const std::wstring& key, std::unique_ptr<Value> value);
  bool Remove(const std::wstring& key);
  size_t size() const { return members_.size(); }
  const std::wstring& KeyAt(size_t index) const { return members_[index].first; }
  Value* ValueAt(size_t index) const { return members_[index].second.get(); }

 private:
  std::vector<std::pair<std::wstring, std::unique_ptr<Value>>> members_;
  std::unordered_map<std::wstring, size_t> index_;
};

}  // namespace qm::json
