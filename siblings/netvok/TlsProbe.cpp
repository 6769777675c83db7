// winsock2 before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "netvok/TlsProbe.h"

#include <schannel.h>
#include <security.h>
#include <winhttp.h>

#include <cstring>
#include <string>

namespace siblings {

namespace {

constexpr size_t kMaxHandshakeBytes = 256 * 1024;
constexpr int kMaxRounds = 32;

DWORD Remaining(ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// A connected socket, or INVALID_SOCKET; connecting never outlasts the deadline.
SOCKET Connect(const std::wstring& host, unsigned short port, ULONGLONG deadline) {
  ADDRINFOW hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  ADDRINFOW* found = nullptr;
  if (GetAddrInfoW(host.c_str(), std::to_wstring(port).c_str(), &hints, &found) != 0) return INVALID_SOCKET;
  SOCKET connected = INVALID_SOCKET;
  for (ADDRINFOW* at = found; at && connected == INVALID_SOCKET; at = at->ai_next) {
    SOCKET s = socket(at->ai_family, at->ai_socktype, at->ai_protocol);
    if (s == INVALID_SOCKET) continue;
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    connect(s, at->ai_addr, static_cast<int>(at->ai_addrlen));
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    const DWORD left = Remaining(deadline);
    timeval wait{static_cast<long>(left / 1000), static_cast<long>((left % 1000) * 1000)};
    int error = 0;
    int size = sizeof(error);
    if (select(0, nullptr, &writable, nullptr, &wait) == 1 &&
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 && error == 0) {
      nonBlocking = 0;
      ioctlsocket(s, FIONBIO, &nonBlocking);
      connected = s;
    } else {
      closesocket(s);
    }
  }
  FreeAddrInfoW(found);
  return connected;
}

bool SendAll(SOCKET s, const void* data, unsigned long size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    const int sent = send(s, at, static_cast<int>(size), 0);
    if (sent <= 0) return false;
    at += sent;
    size -= static_cast<unsigned long>(sent);
  }
  return true;
}

}  // namespace

TlsProbe::~TlsProbe() {
  if (certificate_) CertFreeCertificateContext(certificate_);
}

bool TlsProbe::Same(PCCERT_CONTEXT other) const {
  return certificate_ && other && certificate_->cbCertEncoded == other->cbCertEncoded &&
         std::memcmp(certificate_->pbCertEncoded, other->pbCertEncoded, other->cbCertEncoded) == 0;
}

int TlsProbe::Fetch(const std::wstring& host, unsigned short port, DWORD timeoutMs) {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return ERROR_WINHTTP_INTERNAL_ERROR;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  int result = ERROR_WINHTTP_CANNOT_CONNECT;
  const SOCKET s = Connect(host, port, deadline);
  if (s != INVALID_SOCKET) {
    result = Handshake(s, host, deadline);
    closesocket(s);
  } else if (Remaining(deadline) == 0) {
    result = ERROR_WINHTTP_TIMEOUT;
  }
  WSACleanup();
  return result;
}

int TlsProbe::Handshake(UINT_PTR socketHandle, const std::wstring& host, ULONGLONG deadline) {
  SCHANNEL_CRED settings{};
  settings.dwVersion = SCHANNEL_CRED_VERSION;
  // The trust decision is the caller's, against its own bundle.
  settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  CredHandle credentials{};
  if (AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr, &settings,
                                nullptr, nullptr, &credentials, nullptr) != SEC_E_OK) {
    return ERROR_WINHTTP_SECURE_FAILURE;
  }
  CtxtHandle context{};
  bool haveContext = false;
  std::string received;
  int result = ERROR_WINHTTP_SECURE_FAILURE;
  for (int round = 0; round < kMaxRounds; ++round) {
    const SECURITY_STATUS status = Step(socketHandle, credentials, context, haveContext, host, received);
    if (status == SEC_E_OK) {
      if (QueryContextAttributesW(&context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate_) == SEC_E_OK &&
          certificate_) {
        result = 0;
      }
      break;
    }
    if (status != SEC_I_CONTINUE_NEEDED && status != SEC_E_INCOMPLETE_MESSAGE) break;
    const int read = ReadMore(socketHandle, received, deadline);
    if (read != 0) {
      result = read;
      break;
    }
  }
  if (haveContext) DeleteSecurityContext(&context);
  FreeCredentialsHandle(&credentials);
  return result;
}

SECURITY_STATUS TlsProbe::Step(UINT_PTR socketHandle, CredHandle& credentials, CtxtHandle& context, bool& haveContext,
                               const std::wstring& host, std::string& received) {
  const DWORD wanted = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                       ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;
  SecBuffer in[2] = {{static_cast<unsigned long>(received.size()), SECBUFFER_TOKEN, received.data()},
                     {0, SECBUFFER_EMPTY, nullptr}};
  SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
  SecBuffer out{0, SECBUFFER_TOKEN, nullptr};
  SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out};
  DWORD granted = 0;
  SECURITY_STATUS status = InitializeSecurityContextW(
      &credentials, haveContext ? &context : nullptr, const_cast<wchar_t*>(host.c_str()), wanted, 0, 0,
      haveContext ? &inDesc : nullptr, 0, haveContext ? nullptr : &context, &outDesc, &granted, nullptr);
  const bool first = !haveContext;
  haveContext = haveContext || status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK;
  if (out.pvBuffer) {
    if (out.cbBuffer > 0 && !SendAll(static_cast<SOCKET>(socketHandle), out.pvBuffer, out.cbBuffer)) {
      status = SEC_E_INTERNAL_ERROR;
    }
    FreeContextBuffer(out.pvBuffer);
  }
  // What the call consumed goes; bytes of the next message stay for the next round.
  if (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK) {
    received = !first && in[1].BufferType == SECBUFFER_EXTRA ? received.substr(received.size() - in[1].cbBuffer)
                                                             : std::string();
  }
  return status;
}

int TlsProbe::ReadMore(UINT_PTR socketHandle, std::string& received, ULONGLONG deadline) {
  const DWORD left = Remaining(deadline);
  if (left == 0) return ERROR_WINHTTP_TIMEOUT;
  const SOCKET s = static_cast<SOCKET>(socketHandle);
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&left), sizeof(left));
  char chunk[16 * 1024];
  const int got = recv(s, chunk, sizeof(chunk), 0);
  if (got <= 0) return WSAGetLastError() == WSAETIMEDOUT ? ERROR_WINHTTP_TIMEOUT : ERROR_WINHTTP_SECURE_FAILURE;
  if (received.size() + static_cast<size_t>(got) > kMaxHandshakeBytes) return ERROR_WINHTTP_SECURE_FAILURE;
  received.append(chunk, static_cast<size_t>(got));
  return 0;
}

}  // namespace siblings
