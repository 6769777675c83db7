#include "IpcTestService.h"

namespace ipc_test {

IpcTestService::IpcTestService(std::wstring channel) : channel_(std::move(channel)) {}

IpcTestService::~IpcTestService() {
  if (server_) server_->Stop(channel_.c_str());
}

int32_t IpcTestService::LoggedIn(tandipc::ITandIpcBundle& out) {
  out.PutInt(L"ret", 0);
  out.PutString(L"open_id", L"open-1");
  out.PutString(L"token", L"tok-1");
  out.PutString(L"nick_name", L"Ann");
  out.PutInt(L"vip_type", 0);
  out.PutInt(L"vaild_date", 0);
  out.PutInt(L"from", 4);
  out.PutInt(L"is_logout", 0);
  return 0;
}

void IpcTestService::SetAnswer(Answer answer) {
  std::lock_guard<std::mutex> hold(lock_);
  answer_ = std::move(answer);
}

std::vector<std::wstring> IpcTestService::registered() {
  std::lock_guard<std::mutex> hold(lock_);
  return registered_;
}

std::vector<std::wstring> IpcTestService::unregistered() {
  std::lock_guard<std::mutex> hold(lock_);
  return unregistered_;
}

bool IpcTestService::Start() {
  // The library's own server type, created through its factory like any client would.
  server_.reset(static_cast<tandipc::ITandIpcServer*>(
      reinterpret_cast<tandipc::QueryInterfaceFn>(reinterpret_cast<void*>(
          GetProcAddress(LoadBeside(L"tandipc.dll"), tandipc::kQueryExport)))(&tandipc::kServerClassId)));
  if (!server_) return false;
  auto query = [this](tandipc::ITandIpcBundle&, tandipc::ITandIpcBundle& out) {
    ++queries_;
    Answer answer;
    {
      std::lock_guard<std::mutex> hold(lock_);
      answer = answer_;
    }
    return answer(out);
  };
  server_->RegisterFunction(channel_.c_str(), L"QueryUserInfo", new TestFunction(query));
  server_->RegisterFunction(channel_.c_str(), L"GetLocalUserInfo", new TestFunction(query));
  server_->RegisterFunction(channel_.c_str(), L"RegistIpcNotify",
                            new TestFunction([this](tandipc::ITandIpcBundle& in, tandipc::ITandIpcBundle& out) {
                              std::lock_guard<std::mutex> hold(lock_);
                              const int32_t regist = in.GetInt(L"is_regist", -1);
                              if (regist == 1) registered_.push_back(in.GetString(L"notify_ipc", L""));
                              if (regist == 0) unregistered_.push_back(in.GetString(L"notify_ipc", L""));
                              out.PutInt(L"ret", 0);
                              return 0;
                            }));
  return server_->Start(channel_.c_str());
}

int32_t Notify(const std::wstring& channel, const std::function<void(tandipc::ITandIpcBundle&)>& fill,
               int32_t* callResult) {
  sheer_vip::TandIpcBundlePtr request = Library().NewBundle();
  sheer_vip::TandIpcBundlePtr response = Library().NewBundle();
  sheer_vip::TandIpcClientPtr client = Library().NewClient();
  if (!client->Connect(channel.c_str())) return -1000;
  fill(*request);
  const int32_t result = client->Call(L"NotifyUserInfoChange", request.get(), response.get());
  if (callResult) *callResult = result;
  return response->GetInt(L"ret", -999);
}

}  // namespace ipc_test
