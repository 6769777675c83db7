#pragma once

#include "family/SheerIpc.h"

namespace sheer_vip {

// A served function of the IPC library bound to a handler of one interface. The library owns the
// wrap once it is registered; the target must outlive the registration.
template <class Handler>
class TandIpcExecWrap final : public tandipc::ITandIpcExecObject {
 public:
  using Method = int32_t (Handler::*)(tandipc::ITandIpcBundle*, tandipc::ITandIpcBundle*);

  TandIpcExecWrap(Handler* target, Method method) : target_(target), method_(method) {}
  TandIpcExecWrap(const TandIpcExecWrap&) = delete;
  TandIpcExecWrap& operator=(const TandIpcExecWrap&) = delete;

  void Release() override { delete this; }
  int32_t Execute(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) override {
    if (!target_ || !request || !response) return -1;
    try {
      return (target_->*method_)(request, response);
    } catch (...) {
      return -1;  // runs on the library's thread: nothing travels back into it
    }
  }

 private:
  ~TandIpcExecWrap() = default;
  Handler* target_;
  Method method_;
};

}  // namespace sheer_vip
