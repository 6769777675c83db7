#pragma once

// Shared by the IPC tests: the IPC library stand-in loaded from the test's folder, served
// functions made of lambdas, unique channel names and a raw client of a channel's pipe.

#include <windows.h>

#include <functional>
#include <string>

#include "family/SheerIpc.h"
#include "vip/SheerIpcLibrary.h"

namespace ipc_test {

// The stand-in library beside the test program; one for the whole process.
sheer_vip::SheerIpcLibrary& Library();
HMODULE LoadBeside(const std::wstring& name);
std::wstring UniqueChannel(const std::wstring& tag);

class TestFunction final : public tandipc::ITandIpcExecObject {
 public:
  using Body = std::function<int32_t(tandipc::ITandIpcBundle&, tandipc::ITandIpcBundle&)>;
  explicit TestFunction(Body body) : body_(std::move(body)) {}
  void Release() override { delete this; }
  int32_t Execute(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) override {
    return body_(*request, *response);
  }

 private:
  ~TestFunction() = default;
  Body body_;
};

// A request message as the transport carries it: the function's name, then the bundle's bytes.
std::string RequestMessage(const std::wstring& function, const std::string& bundle);
// Sends one raw message to a channel's pipe and reads the answer; false when nothing came back
// within the time.
bool RawExchange(const std::wstring& channel, const std::string& message, std::string& answer,
                 DWORD timeoutMs = 5000);
// The result field of a response message, or a value no function returns when it is not one.
int32_t ResultOf(const std::string& answer);

}  // namespace ipc_test
