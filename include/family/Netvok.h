#pragma once

// The contract with the network library "netvok.dll". Its export
// DllGetClassObject(const CLSID*, const IID*, void** out) hands out the request factory. Every
// call passes the object as its first stack argument (standard call); the slot numbers in the
// comments are the binary contract, the reserved slots keep the tables in shape.

#include <windows.h>

namespace netvok {

// {00000000-0000-0000-C000-000000000046}
inline constexpr GUID kFactoryClassId = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {971ACB08-A81D-481A-87F6-D33B24D838D2}
inline constexpr GUID kFactoryInterfaceId = {
    0x971acb08, 0xa81d, 0x481a, {0x87, 0xf6, 0xd3, 0x3b, 0x24, 0xd8, 0x38, 0xd2}};

using FactoryEntry = HRESULT(__stdcall*)(const GUID* classId, const GUID* interfaceId, void** out);

// Results of the library's transfers besides 0 (success): a WinHTTP-style error number
// (12000 and above), an HTTP status outside 200-299 as the number itself, or one of these.
enum Failure : int {
  kFailureArgument = 1,      // null or malformed URL, file path or response
  kFailureTooLarge = 2,      // a body beyond kMaxResponseBytes (kMaxDownloadBytes for a download)
  kFailureCertificate = 3,   // the server's certificate does not chain to the given bundle
  kFailureCancelled = 4,     // the progress callback asked to stop
  kFailureFile = 5,          // the download's file could not be written
  kFailureTimeout = 12002,   // the request's time-out ran out (ERROR_WINHTTP_TIMEOUT)
};

// Responses are kept in memory; a body larger than this fails instead of exhausting the process.
inline constexpr unsigned int kMaxResponseBytes = 32u << 20;
// Downloads fetch the pop-up's pictures, and the module reads no picture file beyond 16 MiB: a
// larger download would only fill the disk, so it fails (kFailureTooLarge) and leaves no file.
inline constexpr unsigned int kMaxDownloadBytes = 16u << 20;

// Implemented by the caller: the library reports progress through slots 0 and 1; a non-zero
// answer cancels the transfer.
class IHttpProgress {
 public:
  // 0: bytes received so far, bytes expected (0 when unknown), 0, 0
  virtual int __stdcall OnReceiveProgress(int received, int expected, int reserved1, int reserved2) = 0;
  // 1: bytes sent so far, bytes to send, 0, 0
  virtual int __stdcall OnSendProgress(int sent, int total, int reserved1, int reserved2) = 0;
  virtual void* __stdcall DeletingDestructor(unsigned int flags) = 0;  // 2: not called by the library

 protected:
  ~IHttpProgress() = default;
};

// The body of a response; owned by its response.
class IBodyBuffer {
 public:
  virtual int __stdcall Reserved0() = 0;                 // 0
  virtual int __stdcall Reserved1() = 0;                 // 1
  virtual int __stdcall Reserved2() = 0;                 // 2
  virtual const char* __stdcall Data() = 0;              // 3: null when empty
  virtual unsigned int __stdcall Size() = 0;             // 4: bytes

 protected:
  ~IBodyBuffer() = default;
};

class IHttpResponse {
 public:
  virtual void __stdcall Release() = 0;                  // 0
  virtual int __stdcall StatusCode() = 0;                // 1: 0 before a transfer
  virtual IBodyBuffer* __stdcall Body() = 0;             // 2

 protected:
  ~IHttpResponse() = default;
};

// Certificate checking of one request; owned by its request.
class ITlsSettings {
 public:
  virtual int __stdcall Reserved0() = 0;                                   // 0
  virtual int __stdcall Reserved1() = 0;                                   // 1
  virtual int __stdcall Reserved2() = 0;                                   // 2
  virtual void __stdcall SetVerifyPeer(int on) = 0;                        // 3: the chain must reach the bundle
  virtual void __stdcall SetCaBundle(const wchar_t* pemPath) = 0;          // 4: PEM file of trusted roots
  virtual int __stdcall Reserved5() = 0;                                   // 5
  virtual int __stdcall Reserved6() = 0;                                   // 6
  virtual int __stdcall Reserved7() = 0;                                   // 7
  virtual int __stdcall Reserved8() = 0;                                   // 8
  virtual int __stdcall Reserved9() = 0;                                   // 9
  virtual int __stdcall Reserved10() = 0;                                  // 10
  virtual void __stdcall SetVerifyHost(int on) = 0;                        // 11: the name must match the host

 protected:
  ~ITlsSettings() = default;
};

class IHttpRequest {
 public:
  virtual void __stdcall Release() = 0;                                              // 0
  virtual void __stdcall SetHeader(const char* name, const char* value) = 0;         // 1
  virtual int __stdcall Reserved2() = 0;                                             // 2
  virtual void __stdcall SetTimeout(int seconds) = 0;                                // 3
  virtual int __stdcall Reserved4() = 0;                                             // 4
  virtual int __stdcall Reserved5() = 0;                                             // 5
  // 6: GET into the file (replaced; removed again on failure); 0 on success
  virtual int __stdcall Download(const wchar_t* url, int reserved, const wchar_t* filePath) = 0;
  // 7: POST with the body when one is given, GET otherwise; 0 on success
  virtual int __stdcall Perform(const wchar_t* url, const char* body, unsigned int bodyLength,
                                IHttpResponse* response) = 0;
  virtual int __stdcall Reserved8() = 0;                                             // 8
  virtual int __stdcall Reserved9() = 0;                                             // 9
  virtual int __stdcall Reserved10() = 0;                                            // 10
  virtual void __stdcall SetProgress(IHttpProgress* progress) = 0;                   // 11: null for none
  virtual ITlsSettings* __stdcall TlsSettings() = 0;                                 // 12

 protected:
  ~IHttpRequest() = default;
};

class IHttpFactory {
 public:
  virtual void __stdcall Release() = 0;                  // 0
  virtual int __stdcall Reserved1() = 0;                 // 1
  virtual int __stdcall Reserved2() = 0;                 // 2
  virtual int __stdcall Reserved3() = 0;                 // 3
  virtual int __stdcall Reserved4() = 0;                 // 4
  virtual IHttpResponse* __stdcall CreateResponse() = 0; // 5
  virtual IHttpRequest* __stdcall CreateRequest() = 0;   // 6

 protected:
  ~IHttpFactory() = default;
};

// Each interface is only its table pointer, in either architecture.
static_assert(sizeof(IHttpProgress) == sizeof(void*) && sizeof(IBodyBuffer) == sizeof(void*) &&
              sizeof(IHttpResponse) == sizeof(void*) && sizeof(ITlsSettings) == sizeof(void*) &&
              sizeof(IHttpRequest) == sizeof(void*) && sizeof(IHttpFactory) == sizeof(void*));
static_assert(sizeof(wchar_t) == 2 && sizeof(int) == 4 && sizeof(unsigned int) == 4);

}  // namespace netvok
