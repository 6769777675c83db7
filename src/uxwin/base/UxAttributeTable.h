#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

#include "uxwin/base/CUxObject.h"
#include "uxwin/base/UxAttributeParser.h"

namespace UxWin {

// One class's own attributes: name -> how the value lands in the object. A derived class runs
// its base class's attributes first (Chain), so a name the base knows keeps its meaning and the
// derived class only adds names.
template <class Owner>
class UxAttributeTable {
 public:
  // SetAttribute's answer: non-negative when the value was taken, CUxObject::kFail when refused.
  using Handler = std::function<int32_t(Owner&, const char* value, bool loading)>;

  UxAttributeTable(std::initializer_list<std::pair<const std::string, Handler>> entries) : handlers_(entries) {}

  // This table alone: kFail for a name it does not hold.
  int32_t Apply(Owner& owner, const char* name, const char* value, bool loading) const {
    if (!name) return CUxObject::kFail;
    const auto found = handlers_.find(name);
    return found == handlers_.end() ? CUxObject::kFail : found->second(owner, value, loading);
  }

  // The base class's attributes, then this table.
  template <class Base>
  int32_t Chain(Owner& owner, const char* name, const char* value, bool loading) const {
    const int32_t base = owner.Base::SetAttribute(name, value, loading);
    if (base >= 0 || !name) return base;
    return Apply(owner, name, value, loading);
  }

  // Handlers for the value kinds every document uses. A field may be the owner's own or one it
  // inherits.
  template <class Field, class Holder>
  static Handler Integer(Field Holder::*field) {
    static_assert(std::is_base_of_v<Holder, Owner>);
    return [field](Owner& o, const char* v, bool) {
      o.*field = static_cast<Field>(UxAttributeParser::Integer(v));
      return CUxObject::kOk;
    };
  }
  template <class Holder>
  static Handler Colour(COLORREF Holder::*field) {
    static_assert(std::is_base_of_v<Holder, Owner>);
    return [field](Owner& o, const char* v, bool) {
      o.*field = UxAttributeParser::Colour(v);
      return CUxObject::kOk;
    };
  }
  template <class Holder>
  static Handler FontCode(uint16_t Holder::*field) {
    static_assert(std::is_base_of_v<Holder, Owner>);
    return [field](Owner& o, const char* v, bool) {
      o.*field = UxAttributeParser::FontCode(v);
      return CUxObject::kOk;
    };
  }
  template <class Holder>
  static Handler Text(std::wstring Holder::*field) {
    static_assert(std::is_base_of_v<Holder, Owner>);
    return [field](Owner& o, const char* v, bool) {
      o.*field = UxAttributeParser::Text(v);
      return CUxObject::kOk;
    };
  }
  template <class Holder>
  static Handler String(std::string Holder::*field) {
    static_assert(std::is_base_of_v<Holder, Owner>);
    return [field](Owner& o, const char* v, bool) {
      o.*field = v ? v : "";
      return CUxObject::kOk;
    };
  }

 private:
  std::map<std::string, Handler> handlers_;
};

}  // namespace UxWin
