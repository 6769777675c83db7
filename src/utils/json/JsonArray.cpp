#include "utils/json/JsonArray.h"

namespace qm::json {

void ValueArray::Resize(size_t size) {
  if (size < elements_.size()) {
    elements_.resize(size);
    return;
  }
  while (elements_.size() < size) Append(std::make_unique<ValueNull>());
}

Value* ValueArray::Append(std::unique_ptr<Value> value) {
  value->set_owner(this);
  elements_.push_back(std::move(value));
  return elements_.back().get();
}

bool ValueArray::ReplaceChild(const Value* child, std::unique_ptr<Value> replacement) {
  for (auto& element : elements_) {
    if (element.get() == child) {
      replacement->set_owner(this);
      element = std::move(replacement);
      return true;
    }
  }
  return false;
}

bool ValueArray::Parse(ParseContext& context) {
  if (context.Peek() != L'[' || context.AtEnd()) return context.Fail(kErrorArrayExpected);
  if (context.depth >= kMaxDepth) return context.Fail(kErrorTooDeep);
  context.Advance();
  context.SkipWhiteSpace();
  if (context.Peek() == L']' && !context.AtEnd()) {
    context.Advance();
    return true;
  }
  ++context.depth;
  for (;;) {
    context.SkipWhiteSpace();
    std::unique_ptr<Value> element = ParseAny(context);
    if (!element) {
      --context.depth;
      return context.Fail(kErrorElementFailed);
    }
    Append(std::move(element));
    context.SkipWhiteSpace();
    const wchar_t c = context.AtEnd() ? L'\0' : context.Peek();
    if (c == L',') {
      context.Advance();
      continue;
    }
    --context.depth;
    if (c != L']') return context.Fail(kErrorSeparatorExpected);
    context.Advance();
    return true;
  }
}

bool ValueArray::Write(std::wstring& out, bool pretty, int indent, int step) const {
  out += L'[';
  if (pretty && !elements_.empty()) out += L"\r\n";
  for (size_t i = 0; i < elements_.size(); ++i) {
    if (pretty) out.append(static_cast<size_t>(indent + step), L' ');
    elements_[i]->Write(out, pretty, indent + step, step);
    if (i + 1 < elements_.size()) out += L',';
    if (pretty) out += L"\r\n";
  }
  if (pretty && !elements_.empty()) out.append(static_cast<size_t>(indent), L' ');
  out += L']';
  return true;
}

}  // namespace qm::json
