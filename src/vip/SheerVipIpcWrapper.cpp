#include "vip/SheerVipIpcWrapper.h"

#include <objbase.h>

#include <cstdio>

#include "vip/TandIpcExecWrap.h"

namespace sheer_vip {

namespace {

constexpr wchar_t kChannelPrefix[] = L"sheer_vip_ipc_Wraper_";

}  // namespace

SheerVipIpcWrapper::SheerVipIpcWrapper(SheerIpcLibrary& library, std::wstring serviceChannel)
    : library_(library), serviceChannel_(std::move(serviceChannel)), channel_(NewChannelName()) {
  std::lock_guard<std::mutex> hold(servingLock_);
  Serve();
}

SheerVipIpcWrapper::~SheerVipIpcWrapper() {
  // The process's wrapper is never destroyed; any other one stops serving before it goes.
  std::lock_guard<std::mutex> hold(servingLock_);
  StopServing();
}

void SheerVipIpcWrapper::Serve() {
  tandipc::ITandIpcServer* server = library_.Server();
  if (!server || serving_) return;
  auto* exec = new TandIpcExecWrap<IUserInfoChange>(this, &IUserInfoChange::OnUserInfoChange);
  if (!server->RegisterFunction(channel_.c_str(), kNotifyFunction, exec)) {
    exec->Release();
    return;
  }
  serving_ = server->Start(channel_.c_str());
  // Not served, the function would stay with the server after the module is gone.
  if (!serving_) server->UnregisterFunction(channel_.c_str(), kNotifyFunction);
  RegisterNotify();
}

void SheerVipIpcWrapper::StopServing() {
  tandipc::ITandIpcServer* server = library_.Server();
  if (!server || !serving_) return;
  try {
    if (registered_) {
      Call(
          L"RegistIpcNotify",
          [this](tandipc::ITandIpcBundle& request) {
            request.PutString(L"notify_ipc", channel_.c_str());
            request.PutInt(L"is_regist", 0);
          },
          nullptr);
    }
  } catch (...) {
    // the service only stops calling a channel that is about to go anyway
  }
  registered_ = false;
  // Both wait for a notification that is running; afterwards nothing calls into this module.
  server->Stop(channel_.c_str());
  server->UnregisterFunction(channel_.c_str(), kNotifyFunction);
  serving_ = false;
}

SheerVipIpcWrapper& SheerVipIpcWrapper::Instance() {
  static SheerVipIpcWrapper* const wrapper = new SheerVipIpcWrapper(SheerIpcLibrary::Instance());
  return *wrapper;  // lives until the module unloads
}

std::wstring SheerVipIpcWrapper::NewChannelName() {
  GUID guid{};
  const HRESULT initialized = CoInitialize(nullptr);
  CoCreateGuid(&guid);
  if (SUCCEEDED(initialized)) CoUninitialize();
  wchar_t digits[33] = {};
  swprintf(digits, 33, L"%08lX%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X", static_cast<unsigned long>(guid.Data1),
           guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
           guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return kChannelPrefix + std::wstring(digits);
}

int32_t SheerVipIpcWrapper::Call(const wchar_t* function, const BundleStep& fill, const BundleStep& read) {
  TandIpcBundlePtr request = library_.NewBundle();
  TandIpcBundlePtr response = library_.NewBundle();
  TandIpcClientPtr client = library_.NewClient();
  if (!request || !response || !client || !client->Connect(serviceChannel_.c_str())) return -1;
  if (fill) fill(*request);
  response->Clear();
  const int32_t result = client->Call(function, request.get(), response.get());
  client->Close();
  if (result == 0 && read) read(*response);
  return result;
}

bool SheerVipIpcWrapper::RegisterNotify() {
  try {
    if (!serving_) return false;  // nobody would hear the notifications
    registered_ = Call(
               L"RegistIpcNotify",
               [this](tandipc::ITandIpcBundle& request) {
                 request.PutString(L"notify_ipc", channel_.c_str());
                 request.PutInt(L"is_regist", 1);
               },
               [](tandipc::ITandIpcBundle& response) { response.GetInt(L"ret", 0); }) == 0;
    return registered_;
  } catch (...) {
    return false;
  }
}

void SheerVipIpcWrapper::ReadUserInfo(tandipc::ITandIpcBundle& bundle, vip::VipUserInfo& info) {
  auto text = [&bundle](const wchar_t* key) {
    const wchar_t* value = bundle.GetString(key, L"");
    return std::wstring(value ? value : L"");
  };
  info.nick_name = text(L"nick_name");
  info.token = text(L"token");
  info.open_id = text(L"open_id");
  info.vip_type = bundle.GetInt(L"vip_type", 0);
  info.vaild_date = bundle.GetInt(L"vaild_date", 0);
  info.from = bundle.GetInt(L"from", 0);
  info.is_logout = bundle.GetInt(L"is_logout", 0) != 0;
}

bool SheerVipIpcWrapper::QueryInto(const wchar_t* function, vip::VipUserInfo& info, qm::ZBundle* all) {
  try {
    int32_t ret = -1;
    const int32_t result = Call(function, nullptr, [&](tandipc::ITandIpcBundle& response) {
      ret = response.GetInt(L"ret", 0);  // an answer without "ret" is a success
      ReadUserInfo(response, info);
      if (all && response.Store()) response.Store()->CopyTo(all);
    });
    // A service that was not running when the channel was first registered has never heard of it.
    if (result == 0 && !registered_) RegisterNotify();
    return result == 0 && ret == 0;
  } catch (...) {
    return false;
  }
}

bool SheerVipIpcWrapper::QueryUserInfo(vip::VipUserInfo& info) { return QueryInto(L"QueryUserInfo", info, nullptr); }

bool SheerVipIpcWrapper::GetLocalUserInfo(vip::VipUserInfo& info, qm::ZBundle* all) {
  return QueryInto(L"GetLocalUserInfo", info, all);
}

void SheerVipIpcWrapper::AddCallback(UserInfoChangeCallBack* callback) {
  if (!callback) return;
  {
    vip::VipCriticalSection::Hold hold(lock_);
    callbacks_.insert(callback);
  }
  std::lock_guard<std::mutex> serving(servingLock_);
  Serve();
}

void SheerVipIpcWrapper::RemoveCallback(UserInfoChangeCallBack* callback) {
  {
    vip::VipCriticalSection::Hold hold(lock_);
    callbacks_.erase(callback);
  }
  std::lock_guard<std::mutex> serving(servingLock_);
  {
    vip::VipCriticalSection::Hold hold(lock_);
    if (!callbacks_.empty()) return;
  }
  // Not under lock_: a notification that is running holds it until it has returned.
  StopServing();
}

int32_t SheerVipIpcWrapper::OnUserInfoChange(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) {
  vip::VipUserInfo info;
  ReadUserInfo(*request, info);
  if (info.open_id.empty() || info.token.empty()) {
    response->PutInt(L"ret", -1);
    return 0;
  }
  response->PutInt(L"ret", 0);
  vip::VipCriticalSection::Hold hold(lock_);
  for (UserInfoChangeCallBack* callback : callbacks_) {
    try {
      callback->OnUserInfoChanged(info);
    } catch (...) {
      // one failing listener does not keep the others from hearing
    }
  }
  return 0;
}

}  // namespace sheer_vip
