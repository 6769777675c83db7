#include "netvok/WinHttpExchange.h"

#include <algorithm>

#include "netvok/CaBundle.h"
#include "utils/TextEncoding.h"

namespace siblings {

namespace {

constexpr DWORD kChunk = 64 * 1024;

int LastErrorCode() {
  const DWORD error = GetLastError();
  return error == ERROR_WINHTTP_TIMEOUT ? static_cast<int>(netvok::kFailureTimeout)
                                        : static_cast<int>(error ? error : ERROR_WINHTTP_INTERNAL_ERROR);
}

}  // namespace

int WinHttpExchange::Run(const Sink& sink) {
  if (options_.timeoutSeconds > 0) deadline_ = GetTickCount64() + options_.timeoutSeconds * 1000ULL;
  int result = Open();
  if (result == 0) result = Send();
  if (result == 0) result = Receive(sink);
  return result;
}

int WinHttpExchange::Open() {
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(options_.url.c_str(), static_cast<DWORD>(options_.url.size()), 0, &parts)) {
    return netvok::kFailureArgument;
  }
  secure_ = parts.nScheme == INTERNET_SCHEME_HTTPS;
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  session_.reset(WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session_) return LastErrorCode();
  connection_.reset(WinHttpConnect(session_.get(), host.c_str(), parts.nPort, 0));
  if (!connection_) return LastErrorCode();
  request_.reset(WinHttpOpenRequest(connection_.get(), options_.body ? L"POST" : L"GET",
                                    path.empty() ? L"/" : path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                    WINHTTP_DEFAULT_ACCEPT_TYPES, secure_ ? WINHTTP_FLAG_SECURE : 0));
  if (!request_) return LastErrorCode();
  return ApplyOptions();
}

int WinHttpExchange::ApplyOptions() {
  if (deadline_) {
    const int limit = static_cast<int>(RemainingMilliseconds());
    WinHttpSetTimeouts(request_.get(), limit, limit, limit, limit);
  }
  // With a bundle the trust decision is ours, made in VerifyServer.
  if (secure_ && options_.verifyPeer) {
    DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
    if (!options_.verifyHost) flags |= SECURITY_FLAG_IGNORE_CERT_CN_INVALID;
    WinHttpSetOption(request_.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
  }
  for (const auto& [name, value] : options_.headers) {
    const std::wstring line = qm::encoding::Utf8ToWide(name + ": " + value);
    if (!WinHttpAddRequestHeaders(request_.get(), line.c_str(), static_cast<DWORD>(line.size()),
                                  WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE)) {
      return netvok::kFailureArgument;
    }
  }
  return 0;
}

int WinHttpExchange::Send() {
  if (!WinHttpSendRequest(request_.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                          options_.bodyLength, 0)) {
    return LastErrorCode();
  }
  if (secure_ && options_.verifyPeer) {
    const int verdict = VerifyServer();
    if (verdict != 0) return verdict;
  }
  return WriteBody();
}

int WinHttpExchange::VerifyServer() {
  PCCERT_CONTEXT server = nullptr;
  DWORD size = sizeof(server);
  if (!WinHttpQueryOption(request_.get(), WINHTTP_OPTION_SERVER_CERT_CONTEXT, &server, &size) || !server) {
    return netvok::kFailureCertificate;
  }
  CaBundle bundle;
  const bool trusted = bundle.Load(options_.caBundle) && bundle.Trusts(server);
  CertFreeCertificateContext(server);
  return trusted ? 0 : netvok::kFailureCertificate;
}

int WinHttpExchange::WriteBody() {
  unsigned int sent = 0;
  while (sent < options_.bodyLength) {
    if (Expired()) return netvok::kFailureTimeout;
    const DWORD piece = std::min<DWORD>(kChunk, options_.bodyLength - sent);
    DWORD written = 0;
    if (!WinHttpWriteData(request_.get(), options_.body + sent, piece, &written)) return LastErrorCode();
    sent += written;
    if (options_.progress && options_.progress->OnSendProgress(static_cast<int>(sent),
                                                                static_cast<int>(options_.bodyLength), 0, 0)) {
      return netvok::kFailureCancelled;
    }
  }
  return 0;
}

int WinHttpExchange::Receive(const Sink& sink) {
  if (!WinHttpReceiveResponse(request_.get(), nullptr)) return LastErrorCode();
  DWORD status = 0;
  DWORD size = sizeof(status);
  WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                      WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  status_ = static_cast<int>(status);
  if (status_ < 200 || status_ > 299) return status_;
  DWORD expected = 0;
  size = sizeof(expected);
  if (!WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &expected, &size, WINHTTP_NO_HEADER_INDEX)) {
    expected = 0;
  }
  // An announced body beyond the limit is refused before any of it is read.
  if (options_.maxBytes && expected > options_.maxBytes) return netvok::kFailureTooLarge;
  return ReadChunks(sink, expected);
}

int WinHttpExchange::ReadChunks(const Sink& sink, unsigned int expected) {
  std::string buffer(kChunk, '\0');
  for (;;) {
    if (Expired()) return netvok::kFailureTimeout;
    if (deadline_) {
      const DWORD limit = RemainingMilliseconds();
      WinHttpSetOption(request_.get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, const_cast<DWORD*>(&limit), sizeof(limit));
    }
    // Only what has arrived, so a slow sender cannot hold a read past the deadline.
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request_.get(), &available)) return LastErrorCode();
    DWORD read = 0;
    if (available > 0 &&
        !WinHttpReadData(request_.get(), buffer.data(), std::min<DWORD>(available, kChunk), &read)) {
      return LastErrorCode();
    }
    // A body that ends before its announced length was cut off, not complete.
    if (read == 0) return expected && received_ < expected ? ERROR_WINHTTP_CONNECTION_ERROR : 0;
    received_ += read;
    if (options_.maxBytes && received_ > options_.maxBytes) return netvok::kFailureTooLarge;
    const int verdict = sink(buffer.data(), read);
    if (verdict != 0) return verdict;
    if (options_.progress &&
        options_.progress->OnReceiveProgress(static_cast<int>(std::min<size_t>(received_, INT_MAX)),
                                             static_cast<int>(std::min<unsigned int>(expected, INT_MAX)), 0, 0)) {
      return netvok::kFailureCancelled;
    }
  }
}

DWORD WinHttpExchange::RemainingMilliseconds() const {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline_ ? 1 : static_cast<DWORD>(deadline_ - now);
}

bool WinHttpExchange::Expired() const { return deadline_ && GetTickCount64() >= deadline_; }

}  // namespace siblings
