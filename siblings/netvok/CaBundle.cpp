#include "netvok/CaBundle.h"

#include <vector>

#include "utils/FileUtil.h"

namespace siblings {

namespace {

constexpr size_t kMaxBundleBytes = 8u << 20;
constexpr int kMaxChainDepth = 8;
const char kBegin[] = "-----BEGIN CERTIFICATE-----";
const char kEnd[] = "-----END CERTIFICATE-----";

bool SignedBy(PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer) {
  return CryptVerifyCertificateSignatureEx(0, X509_ASN_ENCODING, CRYPT_VERIFY_CERT_SIGN_SUBJECT_CERT,
                                           const_cast<CERT_CONTEXT*>(subject), CRYPT_VERIFY_CERT_SIGN_ISSUER_CERT,
                                           const_cast<CERT_CONTEXT*>(issuer), 0, nullptr) != FALSE;
}

bool IsCurrent(PCCERT_CONTEXT certificate) { return CertVerifyTimeValidity(nullptr, certificate->pCertInfo) == 0; }

}  // namespace

CaBundle::CaBundle() : store_(CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, CERT_STORE_CREATE_NEW_FLAG, nullptr)) {}

CaBundle::~CaBundle() {
  if (store_) CertCloseStore(store_, 0);
}

bool CaBundle::Load(const std::wstring& pemPath) {
  std::string text;
  if (!store_ || pemPath.empty() || !qm::FileUtil::ReadAll(pemPath, text, kMaxBundleBytes)) return false;
  size_t at = 0;
  while ((at = text.find(kBegin, at)) != std::string::npos) {
    const size_t end = text.find(kEnd, at);
    if (end == std::string::npos) break;
    if (AddPem(text.substr(at, end + sizeof(kEnd) - 1 - at))) ++count_;
    at = end;
  }
  return count_ > 0;
}

bool CaBundle::AddPem(const std::string& block) {
  DWORD size = 0;
  if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()), CRYPT_STRING_BASE64HEADER, nullptr,
                            &size, nullptr, nullptr) || size == 0) {
    return false;
  }
  std::vector<BYTE> der(size);
  if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()), CRYPT_STRING_BASE64HEADER, der.data(),
                            &size, nullptr, nullptr)) {
    return false;
  }
  return CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, der.data(), size, CERT_STORE_ADD_ALWAYS,
                                          nullptr) != FALSE;
}

bool CaBundle::IsAnchor(PCCERT_CONTEXT certificate) const {
  PCCERT_CONTEXT same =
      CertFindCertificateInStore(store_, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, certificate, nullptr);
  if (same) {
    CertFreeCertificateContext(same);
    return true;
  }
  PCCERT_CONTEXT issuer = IssuerFrom(store_, certificate);
  if (!issuer) return false;
  CertFreeCertificateContext(issuer);
  return true;
}

// A current certificate of the store whose subject is the certificate's issuer and whose key
// signed it; the caller frees it.
PCCERT_CONTEXT CaBundle::IssuerFrom(HCERTSTORE store, PCCERT_CONTEXT certificate) const {
  PCCERT_CONTEXT candidate = nullptr;
  while ((candidate = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SUBJECT_NAME,
                                                 &certificate->pCertInfo->Issuer, candidate)) != nullptr) {
    if (!CertCompareCertificate(X509_ASN_ENCODING, candidate->pCertInfo, certificate->pCertInfo) &&
        IsCurrent(candidate) && SignedBy(certificate, candidate)) {
      return candidate;
    }
  }
  return nullptr;
}

bool CaBundle::Trusts(PCCERT_CONTEXT server) const {
  if (!store_ || count_ == 0 || !server || !IsCurrent(server)) return false;
  PCCERT_CONTEXT current = CertDuplicateCertificateContext(server);
  for (int depth = 0; current && depth < kMaxChainDepth; ++depth) {
    if (IsAnchor(current)) {
      CertFreeCertificateContext(current);
      return true;
    }
    // Up one step through what the server presented.
    PCCERT_CONTEXT next = current->hCertStore ? IssuerFrom(current->hCertStore, current) : nullptr;
    CertFreeCertificateContext(current);
    current = next;
  }
  if (current) CertFreeCertificateContext(current);
  return false;
}

}  // namespace siblings
