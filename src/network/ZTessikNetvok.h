#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "family/Netvok.h"
#include "network/IHttpProgressListener.h"
#include "network/NetvokLibrary.h"

namespace network {

// The module's HTTP client over the family's network library: one request or download at a
// time, with the module's default headers, the domain transfer and, for "https://", the
// certificate bundle of the product. Results: 0 success, -1 library not loaded, -2 no request
// object, -3 no response object, -4 an "https://" address without the library's TLS settings
// (not sent), anything else the library's own code.
class ZTessikNetvok final : public netvok::IHttpProgress {
 public:
  using UrlTransfer = std::function<std::wstring(const std::wstring&)>;

  // The detected product's folder and domain transfer.
  ZTessikNetvok();
  // productFolder ends with a backslash; an empty transfer leaves URLs unchanged.
  ZTessikNetvok(std::wstring productFolder, UrlTransfer transfer);
  ~ZTessikNetvok();
  ZTessikNetvok(const ZTessikNetvok&) = delete;
  ZTessikNetvok& operator=(const ZTessikNetvok&) = delete;

  // A later value for the same name replaces the earlier; ignored when either is null.
  void SetHeader(const char* name, const char* value);
  void SetProgressListener(IHttpProgressListener* listener) { listener_ = listener; }

  int Request(const std::wstring& url, const char* body, size_t length, std::string& response);
  int Download(const std::wstring& url, const std::wstring& filePath);

  int __stdcall OnReceiveProgress(int received, int expected, int reserved1, int reserved2) override;
  int __stdcall OnSendProgress(int sent, int total, int reserved1, int reserved2) override;
  // The library never owns its callback.
  void* __stdcall DeletingDestructor(unsigned int) override { return this; }

  static constexpr int kNoTlsSettings = -4;
  static constexpr int kTimeoutSeconds = 30;
  static constexpr const char* kDefaultContentType = "application/json";
  static constexpr const char* kDefaultUserAgent =
      "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0.0.0 "
      "Safari/537.36";

 private:
  void Prepare(netvok::IHttpRequest* request);
  void SendHeaders(netvok::IHttpRequest* request) const;
  // False, with an ERROR line, when the request has no TLS settings to check the server with.
  bool UseCertificateBundle(netvok::IHttpRequest* request, const std::wstring& url) const;
  std::wstring Transfer(const std::wstring& url) const;
  int Forward(int flag, int value1, int value2, int value3, int value4);

  std::wstring productFolder_;
  UrlTransfer transfer_;
  NetvokLibrary library_;
  std::map<std::string, std::string> headers_;
  IHttpProgressListener* listener_ = nullptr;
};

}  // namespace network
