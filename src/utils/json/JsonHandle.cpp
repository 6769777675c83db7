#include "utils/json/JsonHandle.h"

#include "utils/json/JsonArray.h"
#include "utils/json/JsonDocument.h"
#include "utils/json/JsonObject.h"

namespace qm::json {

const Handle& Handle::Invalid() {
  static const Handle invalid;
  return invalid;
}

Kind Handle::kind() const { return value_ ? value_->kind() : Kind::Invalid; }

int Handle::Type() const { return dialect_ ? dialect_->TypeCode(kind()) : 0; }

bool Handle::Replace(Kind kind) {
  std::unique_ptr<Value> replacement = Value::Create(kind);
  Value* const fresh = replacement.get();
  if (value_ && value_->owner()) {
    const Kind parentKind = value_->owner()->kind();
    if (parentKind != Kind::Object && parentKind != Kind::Array) return false;
    if (!value_->owner()->ReplaceChild(value_, std::move(replacement))) return false;
  } else if (document_ && document_->root() == value_) {
    document_->ReplaceRoot(std::move(replacement));
  } else {
    return false;
  }
  value_ = fresh;
  return true;
}

Handle Handle::operator[](const std::wstring& key) {
  if (!document_ || (kind() != Kind::Object && !Replace(Kind::Object))) return Invalid();
  auto* object = static_cast<ValueObject*>(value_);
  Value* member = object->Find(key);
  if (!member) member = object->Set(key, std::make_unique<ValueNull>());
  return Handle(member, document_, dialect_);
}

Handle Handle::operator[](int index) {
  if (index < 0 || !document_ || (kind() != Kind::Array && !Replace(Kind::Array))) return Invalid();
  auto* array = static_cast<ValueArray*>(value_);
  if (static_cast<size_t>(index) >= array->size()) array->Resize(static_cast<size_t>(index) + 1);
  return Handle(array->at(static_cast<size_t>(index)), document_, dialect_);
}

Handle& Handle::operator=(const wchar_t* text) { return *this = std::wstring(text ? text : L""); }

Handle& Handle::operator=(const std::wstring& text) {
  if (document_ && Replace(Kind::String)) {
    static_cast<ValueString*>(value_)->set_text(text);
  }
  return *this;
}

Handle& Handle::operator=(int32_t number) {
  if (document_ && Replace(dialect_->wideIntegers ? Kind::LongLong : Kind::Long)) {
    if (dialect_->wideIntegers) {
      static_cast<ValueLongLong*>(value_)->set_number(number);
    } else {
      static_cast<ValueLong*>(value_)->set_number(number);
    }
  }
  return *this;
}

Handle& Handle::operator=(int64_t number) {
  if (!dialect_ || !dialect_->wideIntegers) return *this = static_cast<int32_t>(number);
  if (document_ && Replace(Kind::LongLong)) static_cast<ValueLongLong*>(value_)->set_number(number);
  return *this;
}

Handle& Handle::operator=(bool flag) {
  if (document_ && Replace(Kind::Bool)) static_cast<ValueBool*>(value_)->set_flag(flag);
  return *this;
}

bool Handle::Resize(size_t size) {
  if (kind() != Kind::Array) return false;
  static_cast<ValueArray*>(value_)->Resize(size);
  return true;
}

Handle Handle::Get(const std::wstring& key) const {
  if (kind() != Kind::Object) return Invalid();
  Value* member = static_cast<ValueObject*>(value_)->Find(key);
  return member ? Handle(member, document_, dialect_) : Invalid();
}

Handle Handle::At(size_t index) const {
  if (kind() != Kind::Array) return Invalid();
  Value* element = static_cast<ValueArray*>(value_)->at(index);
  return element ? Handle(element, document_, dialect_) : Invalid();
}

std::wstring Handle::AsString(const std::wstring& defaultText) const {
  return kind() == Kind::String ? static_cast<ValueString*>(value_)->text() : defaultText;
}

int64_t Handle::AsInt64(int64_t defaultValue) const {
  if (kind() == Kind::Long) return static_cast<ValueLong*>(value_)->number();
  if (kind() == Kind::LongLong) return static_cast<ValueLongLong*>(value_)->number();
  return defaultValue;
}

int32_t Handle::AsInt(int32_t defaultValue) const {
  return (kind() == Kind::Long || kind() == Kind::LongLong) ? static_cast<int32_t>(AsInt64()) : defaultValue;
}

bool Handle::AsBool(bool defaultValue) const {
  return kind() == Kind::Bool ? static_cast<ValueBool*>(value_)->flag() : defaultValue;
}

size_t Handle::Size() const {
  if (kind() == Kind::Array) return static_cast<ValueArray*>(value_)->size();
  if (kind() == Kind::Object) return static_cast<ValueObject*>(value_)->size();
  return 0;
}

std::vector<std::wstring> Handle::Keys() const {
  std::vector<std::wstring> keys;
  if (kind() != Kind::Object) return keys;
  const auto* object = static_cast<ValueObject*>(value_);
  for (size_t i = 0; i < object->size(); ++i) keys.push_back(object->KeyAt(i));
  return keys;
}

bool Handle::Write(std::wstring& out, bool pretty) const { return value_ && value_->Write(out, pretty, 0, 4); }

}  // namespace qm::json
