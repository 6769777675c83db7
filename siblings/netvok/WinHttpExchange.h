#pragma once

#include <windows.h>
#include <winhttp.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "family/Netvok.h"
#include "netvok/TlsProbe.h"

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
  size_t maxBytes = 0;         // 0: no limit
};

// One HTTP exchange over WinHTTP. Redirects are followed here, hop by hop. With a certificate
// bundle each secure hop's server must present a chain that reaches one of its certificates
// (the system's roots are not used then), checked before anything of the request is sent to it;
// a redirect from HTTPS to plain HTTP is refused.
class WinHttpExchange {
 public:
  // Takes the received bytes; a non-zero answer ends the exchange with that result.
  using Sink = std::function<int(const char* data, size_t size)>;

  explicit WinHttpExchange(const ExchangeOptions& options) : options_(options) {}

  // 0, a WinHTTP error number, the HTTP status outside 200-299 or a netvok::Failure.
  int Run(const Sink& sink);
  int status() const { return status_; }
  size_t received() const { return received_; }
  const std::vector<std::wstring>& hops() const { return hops_; }
  // Why the exchange was refused for the peer's sake (untrusted hop, oversized body); or empty.
  const std::wstring& refusal() const { return refusal_; }

 private:
  struct CloseHandle {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
  };
  using Handle = std::unique_ptr<void, CloseHandle>;

  int Hop(const std::wstring& url, bool withBody);
  int Open(const std::wstring& url, bool withBody);
  int ApplyOptions();
  int CheckServer(const std::wstring& host, INTERNET_PORT port);
  int Send(bool withBody);
  int WriteBody();
  int Next(std::wstring& url, bool& withBody);
  int Receive(const Sink& sink);
  int ReadChunks(const Sink& sink, unsigned int expected);
  int TooLarge();
  int Refuse(int result, std::wstring why);
  DWORD RemainingMilliseconds() const;
  bool Expired() const;
  bool Checked() const { return secure_ && options_.verifyPeer; }
  static void CALLBACK OnStatus(HINTERNET request, DWORD_PTR context, DWORD status, void* info, DWORD size);

  const ExchangeOptions& options_;
  Handle session_;
  Handle connection_;
  Handle request_;
  bool secure_ = false;
  std::unique_ptr<TlsProbe> probe_;  // the current hop's checked certificate
  bool sameCertificate_ = false;     // WinHTTP's connection shows the checked certificate
  ULONGLONG deadline_ = 0;
  int status_ = 0;
  size_t received_ = 0;
  std::vector<std::wstring> hops_;
  std::wstring refusal_;
};

}  // namespace siblings
