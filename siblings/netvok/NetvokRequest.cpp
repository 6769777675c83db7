#include "netvok/NetvokRequest.h"

#include <windows.h>

#include "netvok/NetvokFileSink.h"
#include "netvok/NetvokResponse.h"
#include "utils/TextEncoding.h"

namespace siblings {

namespace {

std::wstring HeaderLines(const std::vector<std::pair<std::string, std::string>>& headers) {
  std::string lines;
  for (const auto& [name, value] : headers) lines += name + ": " + value + "\n";
  return qm::encoding::Utf8ToWide(lines);
}

}  // namespace

void __stdcall NetvokRequest::SetHeader(const char* name, const char* value) {
  if (!name || !value || !*name) return;
  try {
    for (auto& header : headers_) {
      if (header.first == name) {
        header.second = value;
        return;
      }
    }
    headers_.emplace_back(name, value);
  } catch (...) {
  }
}

ExchangeOptions NetvokRequest::Options(const wchar_t* url, const char* body, unsigned int bodyLength) const {
  ExchangeOptions options;
  options.url = url ? url : L"";
  options.headers = headers_;
  options.body = body;
  options.bodyLength = body ? bodyLength : 0;
  options.timeoutSeconds = timeoutSeconds_;
  options.verifyPeer = tls_.verifyPeer();
  options.verifyHost = tls_.verifyHost();
  options.caBundle = tls_.bundle();
  options.progress = progress_;
  return options;
}

int __stdcall NetvokRequest::Perform(const wchar_t* url, const char* body, unsigned int bodyLength,
                                     netvok::IHttpResponse* response) {
  int result = netvok::kFailureArgument;
  try {
    const ExchangeOptions options = Options(url, body, bodyLength);
    Outcome outcome;
    result = PerformInto(options, response, outcome);
    Record(L"Perform", options, result, outcome, L"");
  } catch (...) {
    result = netvok::kFailureTooLarge;
  }
  return result;
}

void NetvokRequest::Outcome::Take(const WinHttpExchange& exchange) {
  status = exchange.status();
  received = exchange.received();
  hops = exchange.hops().size();
  refusal = exchange.refusal();
}

int NetvokRequest::PerformInto(const ExchangeOptions& options, netvok::IHttpResponse* response, Outcome& outcome) {
  auto* target = static_cast<NetvokResponse*>(response);
  if (!target || options.url.empty()) return netvok::kFailureArgument;
  std::string& bytes = target->body().bytes();
  bytes.clear();
  ExchangeOptions limited = options;
  limited.maxBytes = netvok::kMaxResponseBytes;
  WinHttpExchange exchange(limited);
  const int result = exchange.Run([&bytes](const char* data, size_t size) {
    bytes.append(data, size);
    return 0;
  });
  outcome.Take(exchange);
  target->SetStatus(outcome.status);
  if (result != 0) bytes.clear();
  return result;
}

int __stdcall NetvokRequest::Download(const wchar_t* url, int, const wchar_t* filePath) {
  int result = netvok::kFailureArgument;
  try {
    ExchangeOptions options = Options(url, nullptr, 0);
    options.maxBytes = netvok::kMaxDownloadBytes;
    const std::wstring path = filePath ? filePath : L"";
    Outcome outcome;
    result = DownloadInto(options, path, outcome);
    Record(L"Download", options, result, outcome, path);
  } catch (...) {
    result = netvok::kFailureFile;
  }
  return result;
}

int NetvokRequest::DownloadInto(const ExchangeOptions& options, const std::wstring& filePath, Outcome& outcome) {
  if (options.url.empty() || filePath.empty()) return netvok::kFailureArgument;
  NetvokFileSink sink(filePath);
  if (!sink.IsOpen()) return netvok::kFailureFile;
  WinHttpExchange exchange(options);
  const int result = exchange.Run([&sink](const char* data, size_t size) { return sink.Write(data, size); });
  outcome.Take(exchange);
  sink.Finish(result == 0);
  return result;
}

void NetvokRequest::Record(const wchar_t* call, const ExchangeOptions& options, int result, const Outcome& outcome,
                           const std::wstring& filePath) {
  Journal::Fields fields = {{L"method", options.body ? L"POST" : L"GET"},
                            {L"url", options.url},
                            {L"headers", HeaderLines(options.headers)},
                            {L"header_count", std::to_wstring(options.headers.size())},
                            {L"body_size", std::to_wstring(options.bodyLength)},
                            {L"timeout", std::to_wstring(options.timeoutSeconds)},
                            {L"tls_verify_peer", options.verifyPeer ? L"1" : L"0"},
                            {L"tls_verify_host", options.verifyHost ? L"1" : L"0"},
                            {L"tls_bundle", options.caBundle},
                            {L"progress", options.progress ? L"1" : L"0"},
                            {L"status", std::to_wstring(outcome.status)},
                            {L"received", std::to_wstring(outcome.received)},
                            {L"hops", std::to_wstring(outcome.hops)},
                            {L"result", std::to_wstring(result)}};
  if (!filePath.empty()) fields.emplace_back(L"file", filePath);
  journal_.Append(call, fields);
  if (!outcome.refusal.empty()) {
    journal_.Append(L"refused", {{L"transfer", call}, {L"url", options.url}, {L"reason", outcome.refusal}});
  }
}

}  // namespace siblings
