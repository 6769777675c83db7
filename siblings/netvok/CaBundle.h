#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace siblings {

// The trusted roots of a PEM file. A server certificate is trusted when it, or a certificate
// on its way up through the chain the server sent, is in the bundle or signed by one in it.
class CaBundle {
 public:
  CaBundle();
  ~CaBundle();
  CaBundle(const CaBundle&) = delete;
  CaBundle& operator=(const CaBundle&) = delete;

  // False when the file is missing, too large or holds no certificate.
  bool Load(const std::wstring& pemPath);
  bool Trusts(PCCERT_CONTEXT server) const;

 private:
  bool AddPem(const std::string& block);
  bool IsAnchor(PCCERT_CONTEXT certificate) const;
  PCCERT_CONTEXT IssuerFrom(HCERTSTORE store, PCCERT_CONTEXT certificate) const;

  HCERTSTORE store_ = nullptr;
  int count_ = 0;
};

}  // namespace siblings
