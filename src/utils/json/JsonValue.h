#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "utils/json/JsonTypes.h"

namespace qm::json {

// Base of every JSON value. A value is owned by its parent container (or its document) and
// knows that parent, so a handle can replace it in place.
class Value {
 public:
  explicit Value(Kind kind) : kind_(kind) {}
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;
  virtual ~Value() = default;

  virtual bool Parse(ParseContext& context) = 0;
  virtual bool Write(std::wstring& out, bool pretty, int indent, int step) const = 0;
  // Puts replacement where child stands; false when child is not a child of this value.
  virtual bool ReplaceChild(const Value* child, std::unique_ptr<Value> replacement);

  Kind kind() const { return kind_; }
  Value* owner() const { return owner_; }
  void set_owner(Value* owner) { owner_ = owner; }

  // Reads a value of any kind at the context's position, by its first character.
  static std::unique_ptr<Value> ParseAny(ParseContext& context);
  static std::unique_ptr<Value> Create(Kind kind);

 private:
  Kind kind_;
  Value* owner_ = nullptr;
};

class ValueNull final : public Value {
 public:
  ValueNull() : Value(Kind::Null) {}
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool, int, int) const override;
};

class ValueBool final : public Value {
 public:
  explicit ValueBool(bool flag = false) : Value(Kind::Bool), flag_(flag) {}
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool, int, int) const override;
  bool flag() const { return flag_; }
  void set_flag(bool flag) { flag_ = flag; }

 private:
  bool flag_;
};

// Signed integers of either width; digits wrap in the integer's width, as the readers always did.
template <typename Integer, Kind KindOf>
class ValueInteger final : public Value {
 public:
  explicit ValueInteger(Integer number = 0) : Value(KindOf), number_(number) {}
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool, int, int) const override;
  Integer number() const { return number_; }
  void set_number(Integer number) { number_ = number; }

 private:
  Integer number_;
};

using ValueLong = ValueInteger<int32_t, Kind::Long>;
using ValueLongLong = ValueInteger<int64_t, Kind::LongLong>;

class ValueString final : public Value {
 public:
  explicit ValueString(std::wstring text = {}) : Value(Kind::String), text_(std::move(text)) {}
  bool Parse(ParseContext& context) override;
  bool Write(std::wstring& out, bool, int, int) const override;
  const std::wstring& text() const { return text_; }
  void set_text(std::wstring text) { text_ = std::move(text); }

 private:
  std::wstring text_;
};

}  // namespace qm::json
