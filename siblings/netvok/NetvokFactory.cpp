#include "netvok/NetvokFactory.h"

#include <new>

#include "common/Journal.h"
#include "netvok/NetvokRequest.h"
#include "netvok/NetvokResponse.h"

namespace siblings {

bool NetvokFactory::Refuses(const wchar_t* markerName) {
  return GetFileAttributesW((Journal::OwnFolder() + markerName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

netvok::IHttpResponse* __stdcall NetvokFactory::CreateResponse() {
  if (Refuses(L"netvok.fail-response")) return nullptr;
  return new (std::nothrow) NetvokResponse();
}

netvok::IHttpRequest* __stdcall NetvokFactory::CreateRequest() {
  if (Refuses(L"netvok.fail-request")) return nullptr;
  try {
    return new NetvokRequest();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace siblings
