#pragma once

#include <string>

#include "family/Netvok.h"

namespace siblings {

// The bytes of one response.
class NetvokBody final : public netvok::IBodyBuffer {
 public:
  int __stdcall Reserved0() override { return 0; }
  int __stdcall Reserved1() override { return 0; }
  int __stdcall Reserved2() override { return 0; }
  const char* __stdcall Data() override { return bytes_.empty() ? nullptr : bytes_.data(); }
  unsigned int __stdcall Size() override { return static_cast<unsigned int>(bytes_.size()); }

  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace siblings
