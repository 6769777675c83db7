#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/Journal.h"
#include "family/Netvok.h"
#include "netvok/NetvokTlsSettings.h"
#include "netvok/WinHttpExchange.h"

namespace siblings {

// One request over WinHTTP: POST when a body is given, GET otherwise; downloads stream to a
// file of at most netvok::kMaxDownloadBytes. Each transfer is journalled with its method, URL,
// headers, body size, hops and result; one refused for the peer's sake also as "refused".
class NetvokRequest final : public netvok::IHttpRequest {
 public:
  explicit NetvokRequest(bool withoutTls = false) : journal_(L"netvok"), withoutTls_(withoutTls) {}

  void __stdcall Release() override { delete this; }
  void __stdcall SetHeader(const char* name, const char* value) override;
  int __stdcall Reserved2() override { return 0; }
  void __stdcall SetTimeout(int seconds) override { timeoutSeconds_ = seconds; }
  int __stdcall Reserved4() override { return 0; }
  int __stdcall Reserved5() override { return 0; }
  int __stdcall Download(const wchar_t* url, int reserved, const wchar_t* filePath) override;
  int __stdcall Perform(const wchar_t* url, const char* body, unsigned int bodyLength,
                        netvok::IHttpResponse* response) override;
  int __stdcall Reserved8() override { return 0; }
  int __stdcall Reserved9() override { return 0; }
  int __stdcall Reserved10() override { return 0; }
  void __stdcall SetProgress(netvok::IHttpProgress* progress) override { progress_ = progress; }
  netvok::ITlsSettings* __stdcall TlsSettings() override { return withoutTls_ ? nullptr : &tls_; }

 private:
  ExchangeOptions Options(const wchar_t* url, const char* body, unsigned int bodyLength) const;
  // What an exchange left to journal.
  struct Outcome {
    int status = 0;
    size_t received = 0;
    size_t hops = 0;
    std::wstring refusal;
    void Take(const WinHttpExchange& exchange);
  };
  int PerformInto(const ExchangeOptions& options, netvok::IHttpResponse* response, Outcome& outcome);
  int DownloadInto(const ExchangeOptions& options, const std::wstring& filePath, Outcome& outcome);
  void Record(const wchar_t* call, const ExchangeOptions& options, int result, const Outcome& outcome,
              const std::wstring& filePath);

  Journal journal_;
  std::vector<std::pair<std::string, std::string>> headers_;
  int timeoutSeconds_ = 0;
  netvok::IHttpProgress* progress_ = nullptr;
  NetvokTlsSettings tls_;
  bool withoutTls_ = false;
};

}  // namespace siblings
