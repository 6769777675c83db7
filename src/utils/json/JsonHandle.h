#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "utils/json/JsonTypes.h"

namespace qm::json {

class Value;
class Document;

// A light reference to a value inside a document. Member and element access convert the value
// in place when it is of another kind; access through the invalid handle yields the invalid
// handle and assignment to it does nothing. A handle is valid as long as its value is not replaced.
class Handle {
 public:
  Handle() = default;
  Handle(Value* value, Document* document, const Dialect* dialect)
      : value_(value), document_(document), dialect_(dialect) {}
  Handle(const Handle&) = default;
  Handle& operator=(const Handle&) = default;

  static const Handle& Invalid();

  bool IsValid() const { return value_ != nullptr; }
  Kind kind() const;
  int Type() const;  // the generation's type code

  // Converting access: makes the value an object / array first, creates missing members as null.
  Handle operator[](const std::wstring& key);
  Handle operator[](const wchar_t* key) { return (*this)[std::wstring(key ? key : L"")]; }
  Handle operator[](int index);
  // Replaces the value by one of the assigned kind; a null text assigns "".
  Handle& operator=(const wchar_t* text);
  Handle& operator=(const std::wstring& text);
  Handle& operator=(int32_t number);
  Handle& operator=(int64_t number);
  Handle& operator=(bool flag);
  bool Resize(size_t size);  // arrays only

  // Reading, never converting: a missing member or wrong kind gives the invalid handle or the default.
  Handle Get(const std::wstring& key) const;
  Handle At(size_t index) const;
  std::wstring AsString(const std::wstring& defaultText = {}) const;  // strings only
  int64_t AsInt64(int64_t defaultValue = 0) const;                    // either integer width
  int32_t AsInt(int32_t defaultValue = 0) const;
  bool AsBool(bool defaultValue = false) const;
  size_t Size() const;  // elements or members; 0 otherwise
  std::vector<std::wstring> Keys() const;

  bool Write(std::wstring& out, bool pretty = false) const;

 protected:
  Value* value_ = nullptr;
  Document* document_ = nullptr;
  const Dialect* dialect_ = nullptr;

 private:
  // Puts a new value of kind where this handle's value stands; false when it has no holder.
  bool Replace(Kind kind);
};

}  // namespace qm::json
