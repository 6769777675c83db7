#include "network/ZTessikNetvok.h"

#include <memory>
#include <new>

#include "product/DomainTransferClient.h"
#include "product/ProductDetector.h"
#include "utils/Log.h"

namespace network {

namespace {

// Library objects go back through their own release slot.
struct ReleaseObject {
  template <class T>
  void operator()(T* object) const {
    object->Release();
  }
};
using RequestPtr = std::unique_ptr<netvok::IHttpRequest, ReleaseObject>;
using ResponsePtr = std::unique_ptr<netvok::IHttpResponse, ReleaseObject>;

bool SameNameIgnoringCase(const std::string& left, const char* right) {
  return lstrcmpiA(left.c_str(), right) == 0;
}

bool IsHttps(const std::wstring& url) { return url.compare(0, 8, L"https://") == 0; }

}  // namespace

ZTessikNetvok::ZTessikNetvok()
    : ZTessikNetvok(product::ProductDetector::Current().productFolder,
                    [](const std::wstring& url) { return product::DomainTransferClient::Current().TransferUrl(url); }) {}

ZTessikNetvok::ZTessikNetvok(std::wstring productFolder, UrlTransfer transfer)
    : productFolder_(std::move(productFolder)), transfer_(std::move(transfer)), library_(productFolder_) {}

ZTessikNetvok::~ZTessikNetvok() = default;

void ZTessikNetvok::SetHeader(const char* name, const char* value) {
  if (!name || !value) return;
  headers_[name] = value;
}

int ZTessikNetvok::Request(const std::wstring& url, const char* body, size_t length, std::string& response) {
  netvok::IHttpFactory* factory = library_.factory();
  if (!factory) return -1;
  RequestPtr request(factory->CreateRequest());
  if (!request) return -2;
  ResponsePtr reply(factory->CreateResponse());
  if (!reply) return -3;

  const std::wstring target = Transfer(url);
  Prepare(request.get());
  if (IsHttps(target) && !UseCertificateBundle(request.get(), target)) return kNoTlsSettings;
  const int result = request->Perform(target.c_str(), body, static_cast<unsigned int>(length), reply.get());
  if (result != 0) return result;

  netvok::IBodyBuffer* buffer = reply->Body();
  const char* data = buffer ? buffer->Data() : nullptr;
  const unsigned int size = buffer ? buffer->Size() : 0;
  try {
    response.assign(data && size ? data : "", data ? size : 0);
  } catch (const std::bad_alloc&) {
    ZLOG(ERROR) << L"response of " << size << L" bytes does not fit in memory";
    return netvok::kFailureTooLarge;
  }
  return 0;
}

int ZTessikNetvok::Download(const std::wstring& url, const std::wstring& filePath) {
  netvok::IHttpFactory* factory = library_.factory();
  if (!factory) return -1;
  RequestPtr request(factory->CreateRequest());
  if (!request) return -2;

  Prepare(request.get());
  // The caller's address decides, so a transfer to plain HTTP keeps the bundle.
  if (IsHttps(url) && !UseCertificateBundle(request.get(), url)) return kNoTlsSettings;
  const std::wstring target = Transfer(url);
  return request->Download(target.c_str(), 0, filePath.c_str());
}

void ZTessikNetvok::Prepare(netvok::IHttpRequest* request) {
  request->SetProgress(this);
  request->SetTimeout(kTimeoutSeconds);
  SendHeaders(request);
}

void ZTessikNetvok::SendHeaders(netvok::IHttpRequest* request) const {
  bool hasContentType = false;
  bool hasUserAgent = false;
  for (const auto& [name, value] : headers_) {
    request->SetHeader(name.c_str(), value.c_str());
    hasContentType = hasContentType || SameNameIgnoringCase(name, "Content-Type");
    hasUserAgent = hasUserAgent || SameNameIgnoringCase(name, "User-Agent");
  }
  if (!hasContentType) request->SetHeader("Content-Type", kDefaultContentType);
  if (!hasUserAgent) request->SetHeader("User-Agent", kDefaultUserAgent);
}

bool ZTessikNetvok::UseCertificateBundle(netvok::IHttpRequest* request, const std::wstring& url) const {
  netvok::ITlsSettings* tls = request->TlsSettings();
  if (!tls) {
    // Without them the server's certificate would go unchecked: nothing is sent.
    ZLOG(ERROR) << L"no TLS settings from the network library, request not sent: " << url;
    return false;
  }
  const std::wstring bundle = productFolder_ + L"data\\cacert.pem";
  tls->SetVerifyPeer(1);
  tls->SetVerifyHost(1);
  tls->SetCaBundle(bundle.c_str());
  return true;
}

std::wstring ZTessikNetvok::Transfer(const std::wstring& url) const {
  if (!transfer_) return url;
  try {
    return transfer_(url);
  } catch (...) {
    return url;
  }
}

int __stdcall ZTessikNetvok::OnReceiveProgress(int received, int expected, int reserved1, int reserved2) {
  return Forward(1, received, expected, reserved1, reserved2);
}

int __stdcall ZTessikNetvok::OnSendProgress(int sent, int total, int reserved1, int reserved2) {
  return Forward(0, sent, total, reserved1, reserved2);
}

int ZTessikNetvok::Forward(int flag, int value1, int value2, int value3, int value4) {
  if (!listener_) return 0;
  try {
    return listener_->OnProgress(flag, value1, value2, value3, value4);
  } catch (...) {
    return 0;
  }
}

}  // namespace network
