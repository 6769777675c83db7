#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// One request as the local VIP-centre service logged it.
struct ServiceRequest {
  std::wstring scenario;
  std::wstring method;
  std::wstring path;
  std::wstring interfaceName;  // config, price, file or other
  long long show = 0;
  bool tls = false;
  std::vector<std::pair<std::wstring, std::wstring>> headers;
  std::wstring body;
  long long bodySize = 0;
  std::wstring bodyHmacMd5;  // computed by the service over the bytes it received
};

// The service the ctest fixture started on the Linux side; VIPCENTER_STATE_DIR names its folder
// (state.json with the ports, requests.jsonl with what it received).
class VipCenterService {
 public:
  VipCenterService();

  bool running() const { return httpPort_ > 0; }
  int httpPort() const { return httpPort_; }
  int httpsPort() const { return httpsPort_; }
  // "http://127.0.0.1:PORT/s/<scenario>~<tag>/"; the tag keeps one test's requests apart.
  std::wstring HttpBase(const std::wstring& scenario, const std::wstring& tag) const;
  std::wstring HttpsBase(const std::wstring& scenario, const std::wstring& tag) const;
  std::wstring FilesFolder() const { return stateDir_ + L"\\files"; }
  // The certificates the service uses, from VIPCENTER_CERT_DIR.
  std::wstring CertFile(const std::wstring& name) const;

  // What the service received for scenario~tag, in order.
  std::vector<ServiceRequest> Requests(const std::wstring& scenario, const std::wstring& tag) const;

  // The signing key the service checks the Orbilant price request with.
  static constexpr const char* kSigningKey = "q7Rz2LmK9vXe4TbN8wPa3sHd6YcF1uJg";

 private:
  std::wstring stateDir_;
  int httpPort_ = 0;
  int httpsPort_ = 0;
};

std::wstring HeaderValue(const ServiceRequest& request, const std::wstring& name);  // "" when absent
std::wstring EnvironmentValue(const wchar_t* name);

}  // namespace testing_support
