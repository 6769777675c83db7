#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace zlog {

// The text of one log record, built with <<. Plain string appends rather than a std::wostream: the
// iostream and locale machinery would more than double the size of the shipped module.
// Numbers read as a default std::wostream writes them (decimal integers, bool as 1/0, %g floats).
class LogStream {
 public:
  LogStream& operator<<(const wchar_t* text) {
    text_ += text ? text : L"(null)";
    return *this;
  }
  LogStream& operator<<(const std::wstring& text) { return text_ += text, *this; }
  LogStream& operator<<(std::wstring_view text) { return text_ += text, *this; }
  LogStream& operator<<(wchar_t c) { return text_ += c, *this; }
  LogStream& operator<<(const char* text);  // widened byte by byte, as a wide stream does
  LogStream& operator<<(char c) { return text_ += static_cast<wchar_t>(static_cast<unsigned char>(c)), *this; }
  LogStream& operator<<(double value);
  LogStream& operator<<(const void* pointer);

  template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, char> &&
                                             !std::is_same_v<T, wchar_t>, int> = 0>
  LogStream& operator<<(T value) {
    if constexpr (std::is_same_v<T, bool>) {
      text_ += value ? L'1' : L'0';
    } else {
      text_ += std::to_wstring(value);
    }
    return *this;
  }
  template <typename T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  LogStream& operator<<(T value) {
    return *this << static_cast<std::underlying_type_t<T>>(value);
  }

  const std::wstring& str() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace zlog
