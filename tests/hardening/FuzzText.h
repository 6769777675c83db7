#pragma once

#include <string>

namespace hardening {

// How a byte input becomes the wide text a parser takes: after "FF FE" the bytes are raw UTF-16LE
// units (lone surrogates, NULs and all); otherwise they are UTF-8, decoded as the module decodes
// what it reads from files and the network.
class FuzzText {
 public:
  static std::wstring Decode(const std::string& input);
  static std::string Utf16Form(const std::wstring& text);  // "FF FE" and the units
};

}  // namespace hardening
