#pragma once

#include <windows.h>
#include <winhttp.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "family/Netvok.h"

namespace siblings {

struct ExchangeOptions {
  std::wstring url;
  std::vector<std::pair<std::string, std::string>> headers;
  const char* body = nullptr;  // null: GET
  unsigned int bodyLength = 0;
  int timeoutSeconds = 0;      // the whole exchange; 0 or less: WinHTTP's own limits
  bool verifyPeer = false;
  bool verifyHost = false;
  std::wstring caBundle;
  netvok::IHttpProgress* progress = nullptr;
  size_t maxBytes = 0;         // 0: no limit (downloads)
};

// One HTTP exchange over WinHTTP. With a certificate bundle the server's chain must reach one
// of its certificates (checked before the body is sent); the system's roots are not used then.
class WinHttpExchange {
 public:
  // Takes the received bytes; a non-zero answer ends the exchange with that result.
  using Sink = std::function<int(const char* data, size_t size)>;

  explicit WinHttpExchange(const ExchangeOptions& options) : options_(options) {}

  // 0, a WinHTTP error number, the HTTP status outside 200-299 or a netvok::Failure.
  int Run(const Sink& sink);
  int status() const { return status_; }
  size_t received() const { return received_; }

 private:
  struct CloseHandle {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
  };
  using Handle = std::unique_ptr<void, CloseHandle>;

  int Open();
  int ApplyOptions();
  int Send();
  int VerifyServer();
  int WriteBody();
  int Receive(const Sink& sink);
  int ReadChunks(const Sink& sink, unsigned int expected);
  DWORD RemainingMilliseconds() const;
  bool Expired() const;

  const ExchangeOptions& options_;
  Handle session_;
  Handle connection_;
  Handle request_;
  bool secure_ = false;
  ULONGLONG deadline_ = 0;
  int status_ = 0;
  size_t received_ = 0;
};

}  // namespace siblings
