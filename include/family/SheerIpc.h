#pragma once

// The contract with the product family's IPC library. Its export "DllQueryInterface"(class id)
// is a class factory that hands out a new bundle, client or server object, or null. Objects are
// destroyed through their slot 0. Member calls use the family's default member convention; the
// export is a standard call. No slot throws.
//
// Transport (shared by the library and anyone who speaks to it directly): one named pipe per
// channel, "\\.\pipe\tandipc." followed by the channel name, in message mode. A call is one
// request message and one response message on a connection the client opened:
//   request:  u32 kRequestMagic, u16 name length in UTF-16 units, the name, the request bundle
//   response: u32 kResponseMagic, i32 result, the response bundle
// Bundles cross in the typed bundle's serial form (family/Bundle.h); integers are little-endian.

#include <windows.h>

#include <cstdint>

#include "family/Bundle.h"

namespace tandipc {

// {F1A0A6D1-C271-4770-83E4-214DAB2910DB}
inline constexpr GUID kBundleClassId = {0xf1a0a6d1, 0xc271, 0x4770, {0x83, 0xe4, 0x21, 0x4d, 0xab, 0x29, 0x10, 0xdb}};
// {A16E5729-1E18-4B7B-A090-A033F4B7CF3D}
inline constexpr GUID kClientClassId = {0xa16e5729, 0x1e18, 0x4b7b, {0xa0, 0x90, 0xa0, 0x33, 0xf4, 0xb7, 0xcf, 0x3d}};
// {0BCAB04C-E848-4D9F-955A-D11FFE7ECF12}
inline constexpr GUID kServerClassId = {0x0bcab04c, 0xe848, 0x4d9f, {0x95, 0x5a, 0xd1, 0x1f, 0xfe, 0x7e, 0xcf, 0x12}};

inline constexpr char kQueryExport[] = "DllQueryInterface";
using QueryInterfaceFn = void*(__stdcall*)(const GUID* classId);

inline constexpr wchar_t kPipePrefix[] = L"\\\\.\\pipe\\tandipc.";
inline constexpr uint32_t kRequestMagic = 0x51504954;   // "TIPQ"
inline constexpr uint32_t kResponseMagic = 0x52504954;  // "TIPR"
// Messages above this size are refused by both sides.
inline constexpr uint32_t kMaxMessageBytes = 4u << 20;
// A client waits this long to connect and again for each answer unless told otherwise.
inline constexpr uint32_t kDefaultTimeoutMs = 5000;

// Results of ITandIpcClient::Call besides the served function's own result (0: answered).
enum CallResult : int32_t {
  kCallNotConnected = -101,
  kCallSendFailed = -102,
  kCallTimedOut = -103,
  kCallBadAnswer = -104,
  kCallUnknownFunction = -105,
  kCallBadRequest = -106,
};

class ITandIpcBundle {
 public:
  virtual void Release() = 0;                                                          // 0
  virtual bool PutInt(const wchar_t* key, int32_t value) = 0;                          // 1
  virtual bool PutString(const wchar_t* key, const wchar_t* text) = 0;                 // 2
  virtual bool PutInt64(const wchar_t* key, int64_t value) = 0;                        // 3
  virtual bool PutBinary(const wchar_t* key, const void* data, uint32_t size) = 0;     // 4
  virtual int32_t GetInt(const wchar_t* key, int32_t defaultValue) = 0;                // 5
  virtual const wchar_t* GetString(const wchar_t* key, const wchar_t* defaultText) = 0;  // 6
  virtual int64_t GetInt64(const wchar_t* key, int64_t defaultValue) = 0;              // 7
  virtual const void* GetBinary(const wchar_t* key, uint32_t* size) = 0;               // 8
  virtual bool Has(const wchar_t* key) = 0;                                            // 9
  virtual void Clear() = 0;                                                            // 10
  virtual void Remove(const wchar_t* key) = 0;                                         // 11
  virtual uint32_t Count() = 0;                                                        // 12
  // The typed bundle underneath; owned by this object.
  virtual qm::IBundle* Store() = 0;  // 13

 protected:
  ~ITandIpcBundle() = default;
};

// A served function. The server owns it once registered and releases it when unregistered.
class ITandIpcExecObject {
 public:
  virtual void Release() = 0;                                                     // 0
  virtual int32_t Execute(ITandIpcBundle* request, ITandIpcBundle* response) = 0;  // 1

 protected:
  ~ITandIpcExecObject() = default;
};

class ITandIpcClient {
 public:
  virtual void Release() = 0;                         // 0
  virtual bool Connect(const wchar_t* channel) = 0;  // 1
  virtual void Close() = 0;                           // 2
  // 0 when the function ran and answered with 0; its own result, or a CallResult otherwise.
  virtual int32_t Call(const wchar_t* function, ITandIpcBundle* request, ITandIpcBundle* response) = 0;  // 3
  // Applies to connecting and to each later answer; 0 keeps the default.
  virtual void SetTimeout(uint32_t milliseconds) = 0;  // 4

 protected:
  ~ITandIpcClient() = default;
};

// Functions run on threads of the library, one connection at a time per thread.
class ITandIpcServer {
 public:
  virtual void Release() = 0;                                                                             // 0
  virtual bool RegisterFunction(const wchar_t* channel, const wchar_t* function, ITandIpcExecObject* exec) = 0;  // 1
  // Waits for running calls of the function to end.
  virtual bool UnregisterFunction(const wchar_t* channel, const wchar_t* function) = 0;  // 2
  virtual bool Start(const wchar_t* channel) = 0;                                       // 3
  // Stops accepting and waits for the channel's running calls to end.
  virtual void Stop(const wchar_t* channel) = 0;  // 4

 protected:
  ~ITandIpcServer() = default;
};

static_assert(sizeof(ITandIpcBundle) == sizeof(void*) && sizeof(ITandIpcClient) == sizeof(void*) &&
                  sizeof(ITandIpcServer) == sizeof(void*) && sizeof(ITandIpcExecObject) == sizeof(void*),
              "an interface is only its table pointer");

}  // namespace tandipc
