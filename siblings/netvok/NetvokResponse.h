#pragma once

#include "family/Netvok.h"
#include "netvok/NetvokBody.h"

namespace siblings {

// The status and body a request fills.
class NetvokResponse final : public netvok::IHttpResponse {
 public:
  void __stdcall Release() override { delete this; }
  int __stdcall StatusCode() override { return status_; }
  netvok::IBodyBuffer* __stdcall Body() override { return &body_; }

  void SetStatus(int status) { status_ = status; }
  NetvokBody& body() { return body_; }

 private:
  int status_ = 0;
  NetvokBody body_;
};

}  // namespace siblings
