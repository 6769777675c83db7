#pragma once

#include <string>

#include "family/Netvok.h"

namespace siblings {

// Hands out requests and responses; "netvok.fail-request" or "netvok.fail-response" beside the
// library makes the matching creation fail, as a library short of resources would; so does
// "no-component" in "netvok.behaviour" for both. "netvok.fail-tls" gives requests without TLS
// settings.
class NetvokFactory final : public netvok::IHttpFactory {
 public:
  void __stdcall Release() override { delete this; }
  int __stdcall Reserved1() override { return 0; }
  int __stdcall Reserved2() override { return 0; }
  int __stdcall Reserved3() override { return 0; }
  int __stdcall Reserved4() override { return 0; }
  netvok::IHttpResponse* __stdcall CreateResponse() override;
  netvok::IHttpRequest* __stdcall CreateRequest() override;

  // "netvok.behaviour" beside the library, read once: how this stand-in fails on purpose.
  static std::string Behaviour();

 private:
  static bool Refuses(const wchar_t* markerName);
};

}  // namespace siblings
