#include "VipCenterService.h"

#include <windows.h>

#include <sstream>

#include "TestFiles.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace testing_support {

namespace {

ServiceRequest FromRecord(const UxJsonEx::Document& record) {
  ServiceRequest request;
  request.scenario = record.Get(L"scenario").AsString();
  request.method = record.Get(L"method").AsString();
  request.path = record.Get(L"path").AsString();
  request.interfaceName = record.Get(L"interface").AsString();
  request.show = record.Get(L"show").AsInt64(0);
  request.tls = record.Get(L"tls").AsBool();
  request.body = record.Get(L"body").AsString();
  request.bodySize = record.Get(L"body_size").AsInt64(-1);
  request.bodyHmacMd5 = record.Get(L"body_hmac_md5").AsString();
  const auto headers = record.Get(L"headers");
  for (size_t i = 0; i < headers.Size(); ++i) {
    request.headers.emplace_back(headers.At(i).At(0).AsString(), headers.At(i).At(1).AsString());
  }
  return request;
}

}  // namespace

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

std::wstring HeaderValue(const ServiceRequest& request, const std::wstring& name) {
  for (const auto& [key, value] : request.headers) {
    if (_wcsicmp(key.c_str(), name.c_str()) == 0) return value;
  }
  return L"";
}

VipCenterService::VipCenterService() : stateDir_(EnvironmentValue(L"VIPCENTER_STATE_DIR")) {
  if (stateDir_.empty()) return;
  UxJsonEx::Document state;
  if (!state.Parse(qm::encoding::Utf8ToWide(ReadBytes(stateDir_ + L"\\state.json")))) return;
  httpPort_ = static_cast<int>(state.Get(L"http_port").AsInt64(0));
  httpsPort_ = static_cast<int>(state.Get(L"https_port").AsInt64(0));
}

std::wstring VipCenterService::HttpBase(const std::wstring& scenario, const std::wstring& tag) const {
  return L"http://127.0.0.1:" + std::to_wstring(httpPort_) + L"/s/" + scenario + L"~" + tag + L"/";
}

std::wstring VipCenterService::HttpsBase(const std::wstring& scenario, const std::wstring& tag) const {
  return L"https://localhost:" + std::to_wstring(httpsPort_) + L"/s/" + scenario + L"~" + tag + L"/";
}

std::wstring VipCenterService::CertFile(const std::wstring& name) const {
  return EnvironmentValue(L"VIPCENTER_CERT_DIR") + L"\\" + name;
}

std::vector<ServiceRequest> VipCenterService::Requests(const std::wstring& scenario, const std::wstring& tag) const {
  std::vector<ServiceRequest> requests;
  std::istringstream lines(ReadBytes(stateDir_ + L"\\requests.jsonl"));
  std::string line;
  const std::wstring wanted = scenario + L"~" + tag;
  while (std::getline(lines, line)) {
    UxJsonEx::Document record;
    if (!record.Parse(qm::encoding::Utf8ToWide(line))) continue;
    if (record.Get(L"scenario").AsString() == wanted) requests.push_back(FromRecord(record));
  }
  return requests;
}

}  // namespace testing_support
