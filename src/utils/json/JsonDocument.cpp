#include "utils/json/JsonDocument.h"

#include <algorithm>

namespace qm::json {

namespace {

void LocateError(const std::wstring& text, Error& error) {
  error.line = 1;
  error.column = 1;
  const size_t end = std::min(static_cast<size_t>(error.position), text.size());
  for (size_t i = 0; i < end; ++i) {
    if (text[i] == L'\n') {
      ++error.line;
      error.column = 1;
    } else {
      ++error.column;
    }
  }
}

}  // namespace

Document::Document(const Dialect& dialect) : Handle(nullptr, this, &dialect) {}

void Document::ReplaceRoot(std::unique_ptr<Value> root) {
  root_ = std::move(root);
  if (root_) root_->set_owner(nullptr);
  value_ = root_.get();
}

bool Document::TryRoot(Kind kind, const std::wstring& text) {
  std::unique_ptr<Value> candidate = Value::Create(kind);
  Error attempt;
  ParseContext context{text.c_str(), 0, text.size(), &attempt, dialect_, 0};
  if (candidate->Parse(context)) {
    ReplaceRoot(std::move(candidate));
    error_ = Error{};
    return true;
  }
  // A nesting failure is the answer whatever kinds are tried after it.
  if (error_.code != kErrorTooDeep) error_ = attempt;
  return false;
}

bool Document::Parse(const std::wstring& text) {
  ReplaceRoot(nullptr);
  error_ = Error{};
  const Kind integer = dialect_->wideIntegers ? Kind::LongLong : Kind::Long;
  if (TryRoot(Kind::Bool, text) || TryRoot(integer, text)) return true;
  if (dialect_->wideIntegers && TryRoot(Kind::Long, text)) return true;
  if (TryRoot(Kind::String, text) || TryRoot(Kind::Array, text) || TryRoot(Kind::Object, text)) return true;
  LocateError(text, error_);
  return false;
}

}  // namespace qm::json
