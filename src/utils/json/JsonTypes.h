#pragma once

#include <cstddef>
#include <string>

namespace qm::json {

enum class Kind { Invalid, Null, Object, Bool, String, Long, LongLong, Array };

// The two generations differ in integer width and in the type codes they report.
struct Dialect {
  bool wideIntegers;  // numbers read as 64-bit
  int codeOf[8];      // type code per Kind
  int TypeCode(Kind kind) const { return codeOf[static_cast<int>(kind)]; }
};

inline constexpr Dialect kDialect32 = {false, {0, 1, 2, 3, 4, 5, -1, 7}};
inline constexpr Dialect kDialect64 = {true, {0, 1, 2, 3, 4, 5, 6, 8}};

enum ErrorCode : int {
  kErrorNone = 0,
  kErrorObjectExpected = 1,
  kErrorQuoteExpected = 3,
  kErrorUnterminatedString = 4,
  kErrorLoneMinus = 5,
  kErrorSeparatorExpected = 7,
  kErrorBadEscape = 8,
  kErrorElementFailed = 9,
  kErrorArrayExpected = 10,
  kErrorTooDeep = 11,  // nesting beyond kMaxDepth: untrusted input must not exhaust the stack
};

inline constexpr int kMaxDepth = 512;

// Where parsing failed; line and column count from 1.
struct Error {
  int code = kErrorNone;
  int position = 0;
  int line = -1;
  int column = -1;
};

struct ParseContext {
  const wchar_t* text;
  size_t position;
  size_t remaining;
  Error* error;
  const Dialect* dialect;
  int depth;

  wchar_t Peek() const { return remaining > 0 ? text[position] : L'\0'; }
  bool AtEnd() const { return remaining == 0; }
  void Advance(size_t count = 1) {
    position += count;
    remaining -= count;
  }
  void SkipWhiteSpace() {
    while (remaining > 0 && (Peek() == L' ' || Peek() == L'\t' || Peek() == L'\n' || Peek() == L'\r')) Advance();
  }
  // Records the failure at the current position, keeping a nesting failure once set.
  bool Fail(int code);
};

}  // namespace qm::json
