#include "utils/LogStream.h"

#include <cstdio>

namespace zlog {

LogStream& LogStream::operator<<(const char* text) {
  if (!text) return *this << L"(null)";
  for (; *text; ++text) text_ += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return *this;
}

LogStream& LogStream::operator<<(double value) {
  wchar_t buffer[64] = {};
  swprintf(buffer, 64, L"%g", value);
  text_ += buffer;
  return *this;
}

LogStream& LogStream::operator<<(const void* pointer) {
  wchar_t buffer[32] = {};
  swprintf(buffer, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
  text_ += buffer;
  return *this;
}

}  // namespace zlog
