#include "IpcRawPipeServer.h"

#include "family/SheerIpc.h"

namespace ipc_test {

IpcRawPipeServer::IpcRawPipeServer(const std::wstring& channel, Mode mode, std::string answer)
    : mode_(mode), answer_(std::move(answer)), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  const std::wstring name = std::wstring(tandipc::kPipePrefix) + channel;
  pipe_.Reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                               1, 64 * 1024, 64 * 1024, 0, nullptr));
  if (pipe_) thread_ = std::thread([this] { Serve(); });
}

IpcRawPipeServer::~IpcRawPipeServer() {
  SetEvent(stop_.get());
  if (thread_.joinable()) thread_.join();
}

void IpcRawPipeServer::Serve() {
  if (!ConnectNamedPipe(pipe_.get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return;
  std::string request(64 * 1024, '\0');
  DWORD read = 0;
  ReadFile(pipe_.get(), request.data(), static_cast<DWORD>(request.size()), &read, nullptr);
  gotRequest_ = read > 0;
  if (mode_ == Mode::kAnswer) {
    DWORD written = 0;
    WriteFile(pipe_.get(), answer_.data(), static_cast<DWORD>(answer_.size()), &written, nullptr);
  }
  if (mode_ == Mode::kSilent) WaitForSingleObject(stop_.get(), INFINITE);
  DisconnectNamedPipe(pipe_.get());
}

}  // namespace ipc_test
