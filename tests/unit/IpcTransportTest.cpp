// The IPC library stand-in on its own: bundles across the pipe, the served functions' threads,
// and hostile peers on either side (malformed messages, hang-ups, silence, huge sizes).
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "IpcRawPipeServer.h"
#include "IpcTestSupport.h"
#include "family/SheerIpc.h"
#include "utils/bundle/ZBundle.h"

namespace {

using ipc_test::Library;
using ipc_test::TestFunction;
using sheer_vip::TandIpcBundlePtr;
using sheer_vip::TandIpcClientPtr;
using sheer_vip::TandIpcServerPtr;

// A server on a fresh channel with an "Echo" function that copies "in" to "out" and counts calls.
class IpcTransport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded());
    channel_ = ipc_test::UniqueChannel(L"transport");
    server_.reset(static_cast<tandipc::ITandIpcServer*>(Query(tandipc::kServerClassId)));
    ASSERT_TRUE(server_);
    ASSERT_TRUE(server_->RegisterFunction(
        channel_.c_str(), L"Echo", new TestFunction([this](tandipc::ITandIpcBundle& in, tandipc::ITandIpcBundle& out) {
          ++calls_;
          threadId_ = GetCurrentThreadId();
          out.PutString(L"out", in.GetString(L"in", L"(none)"));
          out.PutInt(L"size", static_cast<int32_t>(in.Count()));
          return in.GetInt(L"result", 0);
        })));
    ASSERT_TRUE(server_->Start(channel_.c_str()));
  }

  static void* Query(const GUID& id) {
    static auto query = reinterpret_cast<tandipc::QueryInterfaceFn>(
        reinterpret_cast<void*>(GetProcAddress(ipc_test::LoadBeside(L"tandipc.dll"), tandipc::kQueryExport)));
    return query(&id);
  }

  int32_t CallEcho(const std::wstring& text, std::wstring& out, int32_t result = 0) {
    TandIpcBundlePtr request = Library().NewBundle();
    TandIpcBundlePtr response = Library().NewBundle();
    TandIpcClientPtr client = Library().NewClient();
    if (!client->Connect(channel_.c_str())) return -1000;
    request->PutString(L"in", text.c_str());
    if (result) request->PutInt(L"result", result);
    const int32_t answered = client->Call(L"Echo", request.get(), response.get());
    out = response->GetString(L"out", L"");
    return answered;
  }

  std::string Request(const std::wstring& function, const std::string& bundle) {
    std::string message;
    for (int i = 0; i < 4; ++i) message.push_back(static_cast<char>((tandipc::kRequestMagic >> (8 * i)) & 0xff));
    message.push_back(static_cast<char>(function.size()));
    message.push_back('\0');
    for (wchar_t c : function) {
      message.push_back(static_cast<char>(c & 0xff));
      message.push_back(static_cast<char>(c >> 8));
    }
    return message + bundle;
  }

  static std::string SerialOf(qm::ZBundle& bundle) {
    uint32_t length = 0;
    const void* bytes = bundle.Serialize(&length);
    return std::string(static_cast<const char*>(bytes), length);
  }

  std::wstring channel_;
  TandIpcServerPtr server_;
  std::atomic<int> calls_{0};
  std::atomic<DWORD> threadId_{0};
};

TEST_F(IpcTransport, CarriesBundlesBothWaysOnALibraryThread) {
  std::wstring out;
  EXPECT_EQ(CallEcho(L"hello \u4f60\u597d", out), 0);
  EXPECT_EQ(out, L"hello \u4f60\u597d");
  EXPECT_EQ(calls_, 1);
  EXPECT_NE(threadId_.load(), GetCurrentThreadId());
  // The function's own result comes back as the call's result, with its answer.
  EXPECT_EQ(CallEcho(L"x", out, 7), 7);
  EXPECT_EQ(out, L"x");
}

TEST_F(IpcTransport, CarriesABundleLargerThanOnePipeBuffer) {
  const std::wstring big(300 * 1024, L'b');
  std::wstring out;
  EXPECT_EQ(CallEcho(big, out), 0);
  EXPECT_EQ(out.size(), big.size());
  EXPECT_TRUE(out == big);
}

TEST_F(IpcTransport, ManyCallsOnOneConnectionAndAnUnknownFunction) {
  TandIpcClientPtr client = Library().NewClient();
  ASSERT_TRUE(client->Connect(channel_.c_str()));
  TandIpcBundlePtr request = Library().NewBundle();
  TandIpcBundlePtr response = Library().NewBundle();
  for (int i = 0; i < 5; ++i) {
    request->PutString(L"in", std::to_wstring(i).c_str());
    ASSERT_EQ(client->Call(L"Echo", request.get(), response.get()), 0);
    EXPECT_EQ(std::wstring(response->GetString(L"out", L"")), std::to_wstring(i));
  }
  EXPECT_EQ(client->Call(L"Nope", request.get(), response.get()), tandipc::kCallUnknownFunction);
  EXPECT_EQ(client->Call(L"", request.get(), response.get()), tandipc::kCallBadRequest);
  EXPECT_EQ(calls_, 5);
}

TEST_F(IpcTransport, AChannelNobodyServesFailsAtOnce) {
  TandIpcClientPtr client = Library().NewClient();
  EXPECT_FALSE(client->Connect(ipc_test::UniqueChannel(L"nobody").c_str()));
  TandIpcBundlePtr bundle = Library().NewBundle();
  EXPECT_EQ(client->Call(L"Echo", bundle.get(), bundle.get()), tandipc::kCallNotConnected);
  // A second server cannot take a channel that is already served.
  TandIpcServerPtr other(static_cast<tandipc::ITandIpcServer*>(Query(tandipc::kServerClassId)));
  EXPECT_FALSE(other->Start(channel_.c_str()));
}

TEST_F(IpcTransport, MalformedRequestsAreRefusedAndTheChannelServesOn) {
  qm::ZBundlePtr good(new qm::ZBundle());
  good->PutString(L"in", L"ok");
  std::string serial = SerialOf(*good);
  std::string badChecksum = serial;
  badChecksum[2] = static_cast<char>(badChecksum[2] + 1);
  std::string hugeLength = serial;
  hugeLength[4] = hugeLength[5] = hugeLength[6] = hugeLength[7] = '\x7f';
  const std::string cases[] = {
      "garbage",
      std::string("\x54\x49\x50\x51\x09\x00\x45\x00", 8),  // a name longer than the message
      Request(L"Echo", serial.substr(0, serial.size() - 3)),
      Request(L"Echo", badChecksum),
      Request(L"Echo", hugeLength),
      Request(L"Echo", std::string(5, '\x01')),
  };
  for (const std::string& message : cases) {
    std::string answer;
    ASSERT_TRUE(ipc_test::RawExchange(channel_, message, answer)) << message.size();
    EXPECT_EQ(ipc_test::ResultOf(answer), tandipc::kCallBadRequest) << message.size();
  }
  EXPECT_EQ(calls_, 0);
  std::string answer;
  ASSERT_TRUE(ipc_test::RawExchange(channel_, Request(L"Echo", serial), answer));
  EXPECT_EQ(ipc_test::ResultOf(answer), 0);
  EXPECT_EQ(calls_, 1);
}

// Disabled: under Wine the client's pending write of the oversized message is sometimes never
// completed nor cancelled after the server hangs up, and the test waits for ever.
TEST_F(IpcTransport, DISABLED_AnOversizedMessageIsRefusedWithoutReadingItAll) {
  const std::string huge = Request(L"Echo", std::string(tandipc::kMaxMessageBytes + 16, 'x'));
  std::string answer;
  ipc_test::RawExchange(channel_, huge, answer, 20000);
  EXPECT_TRUE(answer.empty() || ipc_test::ResultOf(answer) == tandipc::kCallBadRequest);
  EXPECT_EQ(calls_, 0);
  std::wstring out;
  EXPECT_EQ(CallEcho(L"after", out), 0);
  EXPECT_EQ(out, L"after");
}

TEST_F(IpcTransport, AClientThatLeavesMidCallDoesNotHurtTheServer) {
  {
    const std::wstring name = std::wstring(tandipc::kPipePrefix) + channel_;
    HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::string half = Request(L"Echo", "");
    DWORD written = 0;
    WriteFile(pipe, half.data(), 4, &written, nullptr);  // part of a header, then gone
    CloseHandle(pipe);
  }
  std::wstring out;
  EXPECT_EQ(CallEcho(L"still", out), 0);
  EXPECT_EQ(out, L"still");
}

TEST(IpcPeer, AServerThatHangsUpMidCallFailsTheCall) {
  const std::wstring channel = ipc_test::UniqueChannel(L"hangup");
  ipc_test::IpcRawPipeServer peer(channel, ipc_test::IpcRawPipeServer::Mode::kHangUp);
  ASSERT_TRUE(peer.listening());
  TandIpcClientPtr client = Library().NewClient();
  ASSERT_TRUE(client->Connect(channel.c_str()));
  TandIpcBundlePtr bundle = Library().NewBundle();
  EXPECT_EQ(client->Call(L"QueryUserInfo", bundle.get(), bundle.get()), tandipc::kCallBadAnswer);
  // The connection is closed after a failed call.
  EXPECT_EQ(client->Call(L"QueryUserInfo", bundle.get(), bundle.get()), tandipc::kCallNotConnected);
}

TEST(IpcPeer, AServerThatNeverAnswersTimesOut) {
  EXPECT_EQ(tandipc::kDefaultTimeoutMs, 5000u);
  const std::wstring channel = ipc_test::UniqueChannel(L"silent");
  ipc_test::IpcRawPipeServer peer(channel, ipc_test::IpcRawPipeServer::Mode::kSilent);
  TandIpcClientPtr client = Library().NewClient();
  client->SetTimeout(300);
  ASSERT_TRUE(client->Connect(channel.c_str()));
  TandIpcBundlePtr bundle = Library().NewBundle();
  EXPECT_EQ(client->Call(L"QueryUserInfo", bundle.get(), bundle.get()), tandipc::kCallTimedOut);
  EXPECT_TRUE(peer.gotRequest());
}

TEST(IpcPeer, GarbledAnswersAreRefused) {
  const std::string answers[] = {"nonsense", std::string("\x54\x49\x50\x52\0\0\0\0garbage!", 16)};
  for (const std::string& answer : answers) {
    const std::wstring channel = ipc_test::UniqueChannel(L"garbled");
    ipc_test::IpcRawPipeServer peer(channel, ipc_test::IpcRawPipeServer::Mode::kAnswer, answer);
    TandIpcClientPtr client = Library().NewClient();
    ASSERT_TRUE(client->Connect(channel.c_str()));
    TandIpcBundlePtr bundle = Library().NewBundle();
    bundle->PutInt(L"kept", 1);
    EXPECT_EQ(client->Call(L"QueryUserInfo", bundle.get(), bundle.get()), tandipc::kCallBadAnswer);
  }
}

}  // namespace
