#pragma once

#include <functional>

#include "family/SheerIpc.h"

namespace siblings {

// A served function of the stand-in service, run by the IPC library on its own thread.
class ServiceFunction final : public tandipc::ITandIpcExecObject {
 public:
  using Body = std::function<int32_t(tandipc::ITandIpcBundle&, tandipc::ITandIpcBundle&)>;
  explicit ServiceFunction(Body body) : body_(std::move(body)) {}

  void Release() override { delete this; }
  int32_t Execute(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) override {
    if (!request || !response) return -1;
    try {
      return body_(*request, *response);
    } catch (...) {
      return -1;
    }
  }

 private:
  ~ServiceFunction() = default;
  Body body_;
};

}  // namespace siblings
