#include "netvok/NetvokFactory.h"

#include <new>

#include "common/BehaviourFile.h"
#include "common/Journal.h"
#include "netvok/NetvokRequest.h"
#include "netvok/NetvokResponse.h"

namespace siblings {

std::string NetvokFactory::Behaviour() {
  static const std::string behaviour = BehaviourFile::Read(L"netvok.behaviour");
  return behaviour;
}

bool NetvokFactory::Refuses(const wchar_t* markerName) {
  if (Behaviour().rfind("no-component", 0) == 0) return true;
  return GetFileAttributesW((Journal::OwnFolder() + markerName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

netvok::IHttpResponse* __stdcall NetvokFactory::CreateResponse() {
  if (Refuses(L"netvok.fail-response")) return nullptr;
  return new (std::nothrow) NetvokResponse();
}

netvok::IHttpRequest* __stdcall NetvokFactory::CreateRequest() {
  if (Refuses(L"netvok.fail-request")) return nullptr;
  try {
    return new NetvokRequest(Refuses(L"netvok.fail-tls"));
  } catch (...) {
    return nullptr;
  }
}

}  // namespace siblings
