#include "utils/json/JsonValue.h"

#include "utils/json/JsonArray.h"
#include "utils/json/JsonObject.h"
#include "utils/json/JsonStringCodec.h"

namespace qm::json {

bool Value::ReplaceChild(const Value*, std::unique_ptr<Value>) { return false; }

std::unique_ptr<Value> Value::Create(Kind kind) {
  switch (kind) {
    case Kind::Null: return std::make_unique<ValueNull>();
    case Kind::Object: return std::make_unique<ValueObject>();
    case Kind::Bool: return std::make_unique<ValueBool>();
    case Kind::String: return std::make_unique<ValueString>();
    case Kind::Long: return std::make_unique<ValueLong>();
    case Kind::LongLong: return std::make_unique<ValueLongLong>();
    case Kind::Array: return std::make_unique<ValueArray>();
    default: return nullptr;
  }
}

std::unique_ptr<Value> Value::ParseAny(ParseContext& context) {
  const wchar_t c = context.Peek();
  Kind kind = Kind::Invalid;
  if (context.AtEnd()) {
    kind = Kind::Invalid;
  } else if (c == L'"') {
    kind = Kind::String;
  } else if (c == L'-' || (c >= L'0' && c <= L'9')) {
    kind = context.dialect->wideIntegers ? Kind::LongLong : Kind::Long;
  } else if (c == L'[') {
    kind = Kind::Array;
  } else if (c == L't' || c == L'f') {
    kind = Kind::Bool;
  } else if (c == L'n') {
    kind = Kind::Null;
  } else if (c == L'{') {
    kind = Kind::Object;
  }
  std::unique_ptr<Value> value = Create(kind);
  if (!value || !value->Parse(context)) return nullptr;
  return value;
}

namespace {

bool Literal(ParseContext& context, const wchar_t* word) {
  const size_t length = std::char_traits<wchar_t>::length(word);
  if (context.remaining < length ||
      std::char_traits<wchar_t>::compare(context.text + context.position, word, length) != 0) {
    return false;
  }
  context.Advance(length);
  return true;
}

}  // namespace

bool ValueNull::Parse(ParseContext& context) { return Literal(context, L"null"); }

bool ValueNull::Write(std::wstring& out, bool, int, int) const {
  out += L"null";
  return true;
}

bool ValueBool::Parse(ParseContext& context) {
  if (Literal(context, L"true")) {
    flag_ = true;
    return true;
  }
  if (Literal(context, L"false")) {
    flag_ = false;
    return true;
  }
  return false;
}

bool ValueBool::Write(std::wstring& out, bool, int, int) const {
  out += flag_ ? L"true" : L"false";
  return true;
}

template <typename Integer, Kind KindOf>
bool ValueInteger<Integer, KindOf>::Parse(ParseContext& context) {
  using Unsigned = std::make_unsigned_t<Integer>;
  const bool negative = context.Peek() == L'-';
  if (negative) context.Advance();
  if (context.AtEnd() || context.Peek() < L'0' || context.Peek() > L'9') return context.Fail(kErrorLoneMinus);
  Unsigned magnitude = 0;
  while (!context.AtEnd() && context.Peek() >= L'0' && context.Peek() <= L'9') {
    magnitude = static_cast<Unsigned>(magnitude * 10u + static_cast<Unsigned>(context.Peek() - L'0'));
    context.Advance();
  }
  number_ = static_cast<Integer>(negative ? static_cast<Unsigned>(0u - magnitude) : magnitude);
  return true;
}

template <typename Integer, Kind KindOf>
bool ValueInteger<Integer, KindOf>::Write(std::wstring& out, bool, int, int) const {
  out += std::to_wstring(number_);
  return true;
}

template class ValueInteger<int32_t, Kind::Long>;
template class ValueInteger<int64_t, Kind::LongLong>;

bool ValueString::Parse(ParseContext& context) { return JsonStringCodec::Read(context, text_); }

bool ValueString::Write(std::wstring& out, bool, int, int) const {
  JsonStringCodec::Write(text_, out);
  return true;
}

}  // namespace qm::json
