#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "utils/json/JsonValue.h"

namespace qm::json {

// Members keep the order in which their keys first appeared, so written text is stable. The index
// is ordered, not hashed: keys that an answer chose to share one hash would otherwise make each
// member cost a comparison with every member before it.
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
  std::map<std::wstring, size_t> index_;  // key to its place in members_
};

}  // namespace qm::json
