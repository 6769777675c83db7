#include "utils/json/JsonObject.h"

#include "utils/json/JsonStringCodec.h"

namespace qm::json {

Value* ValueObject::Find(const std::wstring& key) const {
  const auto found = index_.find(key);
  return found == index_.end() ? nullptr : members_[found->second].second.get();
}

Value* ValueObject::Set(const std::wstring& key, std::unique_ptr<Value> value) {
  value->set_owner(this);
  const auto found = index_.find(key);
  if (found != index_.end()) {
    members_[found->second].second = std::move(value);
    return members_[found->second].second.get();
  }
  index_.emplace(key, members_.size());
  members_.emplace_back(key, std::move(value));
  return members_.back().second.get();
}

bool ValueObject::Remove(const std::wstring& key) {
  const auto found = index_.find(key);
  if (found == index_.end()) return false;
  const size_t removed = found->second;
  members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(removed));
  index_.erase(found);
  for (auto& [member, place] : index_) {
    if (place > removed) --place;
  }
  return true;
}

bool ValueObject::ReplaceChild(const Value* child, std::unique_ptr<Value> replacement) {
  for (auto& member : members_) {
    if (member.second.get() == child) {
      replacement->set_owner(this);
      member.second = std::move(replacement);
      return true;
    }
  }
  return false;
}

bool ValueObject::Parse(ParseContext& context) {
  if (context.Peek() != L'{' || context.AtEnd()) return context.Fail(kErrorObjectExpected);
  if (context.depth >= kMaxDepth) return context.Fail(kErrorTooDeep);
  context.Advance();
  context.SkipWhiteSpace();
  if (context.Peek() == L'}' && !context.AtEnd()) {
    context.Advance();
    return true;
  }
  ++context.depth;
  const auto fail = [&context](int code) {
    --context.depth;
    return context.Fail(code);
  };
  for (;;) {
    context.SkipWhiteSpace();
    std::wstring key;
    if (!JsonStringCodec::Read(context, key)) {  // the key's own error stands
      --context.depth;
      return false;
    }
    context.SkipWhiteSpace();
    if (context.AtEnd() || context.Peek() != L':') return fail(kErrorSeparatorExpected);
    context.Advance();
    context.SkipWhiteSpace();
    std::unique_ptr<Value> value = ParseAny(context);
    if (!value) return fail(kErrorElementFailed);
    Set(key, std::move(value));  // a repeated key keeps the later value
    context.SkipWhiteSpace();
    const wchar_t c = context.AtEnd() ? L'\0' : context.Peek();
    if (c == L',') {
      context.Advance();
      continue;
    }
    if (c != L'}') return fail(kErrorSeparatorExpected);
    --context.depth;
    context.Advance();
    return true;
  }
}

bool ValueObject::Write(std::wstring& out, bool pretty, int indent, int step) const {
  out += L'{';
  if (pretty) out += L"\r\n";
  for (size_t i = 0; i < members_.size(); ++i) {
    if (pretty) out.append(static_cast<size_t>(indent + step), L' ');
    JsonStringCodec::Write(members_[i].first, out);
    out += pretty ? L" : " : L":";
    members_[i].second->Write(out, pretty, indent + step, step);
    if (i + 1 < members_.size()) out += L',';
    if (pretty) out += L"\r\n";
  }
  if (pretty) out.append(static_cast<size_t>(indent), L' ');
  out += L'}';
  return true;
}

}  // namespace qm::json
