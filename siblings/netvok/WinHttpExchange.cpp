#include "netvok/WinHttpExchange.h"

#include <algorithm>

#include "netvok/CaBundle.h"
#include "netvok/RedirectTarget.h"
#include "utils/TextEncoding.h"

namespace siblings {

namespace {

constexpr DWORD kChunk = 64 * 1024;
// A hop's certificate check without a time-out of the request's own.
constexpr DWORD kProbeTimeoutMs = 30000;

int LastErrorCode() {
  const DWORD error = GetLastError();
  return error == ERROR_WINHTTP_TIMEOUT ? static_cast<int>(netvok::kFailureTimeout)
                                        : static_cast<int>(error ? error : ERROR_WINHTTP_INTERNAL_ERROR);
}

}  // namespace

int WinHttpExchange::Run(const Sink& sink) {
  if (options_.timeoutSeconds > 0) deadline_ = GetTickCount64() + options_.timeoutSeconds * 1000ULL;
  session_.reset(WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session_) return LastErrorCode();
  std::wstring url = options_.url;
  bool withBody = options_.body != nullptr;
  for (;;) {
    const int result = Hop(url, withBody);
    if (result != 0) return result;
    if (!RedirectTarget::IsRedirect(status_)) return Receive(sink);
    const int next = Next(url, withBody);
    if (next != 0) return next;
  }
}

int WinHttpExchange::Hop(const std::wstring& url, bool withBody) {
  hops_.push_back(url);
  int result = Open(url, withBody);
  if (result == 0) result = Send(withBody);
  if (result != 0) return result;
  if (!WinHttpReceiveResponse(request_.get(), nullptr)) return LastErrorCode();
  DWORD status = 0;
  DWORD size = sizeof(status);
  WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                      WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  status_ = static_cast<int>(status);
  return 0;
}

int WinHttpExchange::Open(const std::wstring& url, bool withBody) {
  request_.reset();
  connection_.reset();
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return netvok::kFailureArgument;
  secure_ = parts.nScheme == INTERNET_SCHEME_HTTPS;
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (Checked()) {
    const int verdict = CheckServer(host, parts.nPort);
    if (verdict != 0) return verdict;
  }
  connection_.reset(WinHttpConnect(session_.get(), host.c_str(), parts.nPort, 0));
  if (!connection_) return LastErrorCode();
  request_.reset(WinHttpOpenRequest(connection_.get(), withBody ? L"POST" : L"GET", path.empty() ? L"/" : path.c_str(),
                                    nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                    secure_ ? WINHTTP_FLAG_SECURE : 0));
  if (!request_) return LastErrorCode();
  return ApplyOptions();
}

int WinHttpExchange::ApplyOptions() {
  if (deadline_) {
    const int limit = static_cast<int>(RemainingMilliseconds());
    WinHttpSetTimeouts(request_.get(), limit, limit, limit, limit);
  }
  // Every hop is ours to check before it is sent to.
  DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
  WinHttpSetOption(request_.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof(noRedirects));
  // With a bundle the trust decision is ours, made in CheckServer.
  if (Checked()) {
    DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
    if (!options_.verifyHost) flags |= SECURITY_FLAG_IGNORE_CERT_CN_INVALID;
    WinHttpSetOption(request_.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof(flags));
    WinHttpSetStatusCallback(request_.get(), &WinHttpExchange::OnStatus, WINHTTP_CALLBACK_FLAG_SEND_REQUEST, 0);
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

int WinHttpExchange::CheckServer(const std::wstring& host, INTERNET_PORT port) {
  probe_ = std::make_unique<TlsProbe>();
  const int fetched = probe_->Fetch(host, port, deadline_ ? RemainingMilliseconds() : kProbeTimeoutMs);
  if (fetched != 0) return fetched;
  CaBundle bundle;
  if (bundle.Load(options_.caBundle) && bundle.Trusts(probe_->certificate())) return 0;
  return Refuse(netvok::kFailureCertificate, L"certificate of " + host + L":" + std::to_wstring(port) +
                                                 L" not trusted by the bundle (hop " + std::to_wstring(hops_.size()) +
                                                 L"); nothing sent");
}

void CALLBACK WinHttpExchange::OnStatus(HINTERNET request, DWORD_PTR context, DWORD status, void*, DWORD) {
  if (status != WINHTTP_CALLBACK_STATUS_SENDING_REQUEST || !context) return;
  auto* self = reinterpret_cast<WinHttpExchange*>(context);
  PCCERT_CONTEXT server = nullptr;
  DWORD size = sizeof(server);
  const bool queried = WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &server, &size) && server;
  self->sameCertificate_ = queried && self->probe_ && self->probe_->Same(server);
  if (server) CertFreeCertificateContext(server);
}

int WinHttpExchange::Send(bool withBody) {
  sameCertificate_ = false;
  const DWORD length = withBody ? options_.bodyLength : 0;
  if (!WinHttpSendRequest(request_.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, length,
                          reinterpret_cast<DWORD_PTR>(this))) {
    return LastErrorCode();
  }
  // A server that showed the check one certificate and WinHTTP another gets no body.
  if (Checked() && !sameCertificate_) {
    return Refuse(netvok::kFailureCertificate, L"the connection's certificate is not the one checked (hop " +
                                                   std::to_wstring(hops_.size()) + L")");
  }
  return withBody ? WriteBody() : 0;
}

int WinHttpExchange::Next(std::wstring& url, bool& withBody) {
  if (static_cast<int>(hops_.size()) > RedirectTarget::kMaxRedirects) {
    return Refuse(ERROR_WINHTTP_REDIRECT_FAILED, L"more redirects than " +
                                                     std::to_wstring(RedirectTarget::kMaxRedirects));
  }
  DWORD size = 0;
  WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                      WINHTTP_NO_HEADER_INDEX);
  std::wstring location(size / sizeof(wchar_t), L'\0');
  if (size == 0 || !WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX,
                                        location.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
    return status_;  // a redirect without a target is the answer itself
  }
  location.resize(size / sizeof(wchar_t));
  const std::wstring next = RedirectTarget::Resolve(url, location);
  if (next.empty()) return Refuse(ERROR_WINHTTP_REDIRECT_FAILED, L"redirect to an unusable location: " + location);
  if (secure_ && !RedirectTarget::IsSecure(next)) {
    return Refuse(ERROR_WINHTTP_REDIRECT_FAILED, L"redirect from HTTPS to plain HTTP: " + next);
  }
  withBody = withBody && RedirectTarget::KeepsBody(status_);
  url = next;
  return 0;
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
  if (status_ < 200 || status_ > 299) return status_;
  DWORD expected = 0;
  DWORD size = sizeof(expected);
  if (!WinHttpQueryHeaders(request_.get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &expected, &size, WINHTTP_NO_HEADER_INDEX)) {
    expected = 0;
  }
  // An announced body beyond the limit is refused before any of it is read.
  if (options_.maxBytes && expected > options_.maxBytes) return TooLarge();
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
    if (options_.maxBytes && received_ > options_.maxBytes) return TooLarge();
    const int verdict = sink(buffer.data(), read);
    if (verdict != 0) return verdict;
    if (options_.progress &&
        options_.progress->OnReceiveProgress(static_cast<int>(std::min<size_t>(received_, INT_MAX)),
                                             static_cast<int>(std::min<unsigned int>(expected, INT_MAX)), 0, 0)) {
      return netvok::kFailureCancelled;
    }
  }
}

int WinHttpExchange::TooLarge() {
  return Refuse(netvok::kFailureTooLarge, L"body beyond " + std::to_wstring(options_.maxBytes) + L" bytes");
}

int WinHttpExchange::Refuse(int result, std::wstring why) {
  refusal_ = std::move(why);
  return result;
}

DWORD WinHttpExchange::RemainingMilliseconds() const {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline_ ? 1 : static_cast<DWORD>(deadline_ - now);
}

bool WinHttpExchange::Expired() const { return deadline_ && GetTickCount64() >= deadline_; }

}  // namespace siblings
