#pragma once

#include <wincrypt.h>
#include <windows.h>
#define SECURITY_WIN32
#include <security.h>

#include <string>

namespace siblings {

// The certificate a TLS server presents, fetched on a connection of its own that ends after the
// handshake: nothing of a request travels on it. WinHTTP decides on its own connection's
// certificate only after the request's headers have gone out, so each hop is checked here first.
class TlsProbe {
 public:
  TlsProbe() = default;
  ~TlsProbe();
  TlsProbe(const TlsProbe&) = delete;
  TlsProbe& operator=(const TlsProbe&) = delete;

  // 0, a WinHTTP-style error number (connection, time-out) or ERROR_WINHTTP_SECURE_FAILURE.
  int Fetch(const std::wstring& host, unsigned short port, DWORD timeoutMs);
  // The server's certificate with the chain it sent (its store); owned by this object.
  PCCERT_CONTEXT certificate() const { return certificate_; }
  // Whether another certificate is the one fetched, byte for byte.
  bool Same(PCCERT_CONTEXT other) const;

 private:
  int Handshake(UINT_PTR socket, const std::wstring& host, ULONGLONG deadline);
  // One call of the handshake: sends what it produced; keeps unread bytes in received.
  static SECURITY_STATUS Step(UINT_PTR socket, CredHandle& credentials, CtxtHandle& context, bool& haveContext,
                              const std::wstring& host, std::string& received);
  static int ReadMore(UINT_PTR socket, std::string& received, ULONGLONG deadline);

  PCCERT_CONTEXT certificate_ = nullptr;
};

}  // namespace siblings
