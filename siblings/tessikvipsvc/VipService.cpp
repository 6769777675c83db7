#include "tessikvipsvc/VipService.h"

#include "tessikvipsvc/ServiceFunction.h"
#include "tessikvipsvc/VipRequestCheck.h"
#include "vipstate/VipStateFile.h"

namespace siblings {

namespace {

constexpr wchar_t kChannel[] = L"ISheerVipIpc";

std::wstring Text(tandipc::ITandIpcBundle& bundle, const wchar_t* key) {
  const wchar_t* text = bundle.GetString(key, L"");
  return text ? text : L"";
}

}  // namespace

VipService::VipService(sheer_vip::SheerIpcLibrary& library) : library_(library) { Touch(); }

std::wstring VipService::Stamp() { return VipStateFile::Stamp(); }

int32_t VipService::Refuse(const wchar_t* call, const std::wstring& reason, tandipc::ITandIpcBundle& response) {
  response.Clear();
  response.PutInt(L"ret", -1);
  journal_.Append(L"refused", {{L"function", call}, {L"reason", reason}});
  return kRefused;
}

int32_t VipService::Query(const wchar_t* call, tandipc::ITandIpcBundle& request, tandipc::ITandIpcBundle& response) {
  Touch();
  const std::wstring refusal = VipRequestCheck::Query(request);
  if (!refusal.empty()) return Refuse(call, refusal, response);
  const VipServiceState state = VipServiceState::Read();
  state.Fill(response, true);
  journal_.Append(call, {{L"ret", state.omitRet ? L"(none)" : std::to_wstring(state.queryRet)},
                         {L"open_id", state.openId}});
  return 0;
}

int32_t VipService::Register(tandipc::ITandIpcBundle& request, tandipc::ITandIpcBundle& response) {
  Touch();
  const std::wstring refusal = VipRequestCheck::Registration(request);
  if (!refusal.empty()) return Refuse(L"RegistIpcNotify", refusal, response);
  const std::wstring channel = Text(request, L"notify_ipc");
  const int32_t regist = request.GetInt(L"is_regist", 0);
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (!channel.empty() && regist == 1) channels_.insert(channel);
    if (regist == 0) channels_.erase(channel);
  }
  response.PutInt(L"ret", channel.empty() ? -1 : 0);
  journal_.Append(L"RegistIpcNotify", {{L"notify_ipc", channel}, {L"is_regist", std::to_wstring(regist)}});
  return 0;
}

bool VipService::Start() {
  tandipc::ITandIpcServer* server = library_.Server();
  if (!server) return false;
  auto query = [this](const wchar_t* call) {
    return new ServiceFunction([this, call](tandipc::ITandIpcBundle& request, tandipc::ITandIpcBundle& response) {
      return Query(call, request, response);
    });
  };
  server->RegisterFunction(kChannel, L"QueryUserInfo", query(L"QueryUserInfo"));
  server->RegisterFunction(kChannel, L"GetLocalUserInfo", query(L"GetLocalUserInfo"));
  server->RegisterFunction(kChannel, L"RegistIpcNotify",
                           new ServiceFunction([this](tandipc::ITandIpcBundle& request,
                                                      tandipc::ITandIpcBundle& response) {
                             return Register(request, response);
                           }));
  return server->Start(kChannel);
}

void VipService::NotifyAll() {
  std::set<std::wstring> channels;
  {
    std::lock_guard<std::mutex> hold(lock_);
    channels = channels_;
  }
  const VipServiceState state = VipServiceState::Read();
  for (const std::wstring& channel : channels) {
    sheer_vip::TandIpcBundlePtr request = library_.NewBundle();
    sheer_vip::TandIpcBundlePtr response = library_.NewBundle();
    sheer_vip::TandIpcClientPtr client = library_.NewClient();
    if (!request || !response || !client) return;
    state.Fill(*request, false);
    const bool connected = client->Connect(channel.c_str());
    const int32_t result = connected ? client->Call(L"NotifyUserInfoChange", request.get(), response.get()) : -1;
    client->Close();
    journal_.Append(L"notify", {{L"channel", channel},
                                {L"connected", connected ? L"true" : L"false"},
                                {L"result", std::to_wstring(result)},
                                {L"ret", std::to_wstring(response->GetInt(L"ret", -99))}});
  }
}

void VipService::Run(DWORD idleMs) {
  std::wstring stamp = Stamp();
  int unreadable = 0;
  while (GetTickCount64() - lastActivity_.load() < idleMs) {
    Sleep(100);
    const std::wstring now = Stamp();
    if (now == stamp) continue;
    // A state file caught while it is being replaced cannot be read for a moment: look again at
    // the next ticks rather than tell the listeners of an empty user.
    UxJsonEx::Document state;
    if (now != L"none" && !VipStateFile::Read(state) && ++unreadable < 10) continue;
    unreadable = 0;
    stamp = now;
    Touch();
    NotifyAll();
  }
  journal_.Append(L"stop", {{L"reason", L"idle"}});
}

}  // namespace siblings
