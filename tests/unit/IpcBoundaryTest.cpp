// The IPC library stand-in refuses what breaks its transport and survives odd but allowed use:
// a request whose bundle is followed by more bytes, a server released after looking up channels
// it never served.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "IpcTestSupport.h"
#include "JournalReader.h"
#include "TestFiles.h"
#include "family/SheerIpc.h"
#include "utils/bundle/ZBundle.h"

namespace {

using sheer_vip::TandIpcServerPtr;

TandIpcServerPtr NewServer() {
  static auto query = reinterpret_cast<tandipc::QueryInterfaceFn>(
      reinterpret_cast<void*>(GetProcAddress(ipc_test::LoadBeside(L"tandipc.dll"), tandipc::kQueryExport)));
  return TandIpcServerPtr(static_cast<tandipc::ITandIpcServer*>(query(&tandipc::kServerClassId)));
}

TEST(IpcBoundary, BytesAfterTheBundleAreRefusedAndJournaled) {
  testing_support::TempDir journal;
  SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", journal.path().c_str());
  const std::wstring channel = ipc_test::UniqueChannel(L"trailing");
  std::atomic<int> calls{0};
  TandIpcServerPtr server = NewServer();
  ASSERT_TRUE(server->RegisterFunction(channel.c_str(), L"Echo", new ipc_test::TestFunction([&calls](auto&, auto&) {
                                         ++calls;
                                         return 0;
                                       })));
  ASSERT_TRUE(server->Start(channel.c_str()));
  qm::ZBundlePtr bundle(new qm::ZBundle());
  bundle->PutString(L"in", L"ok");
  uint32_t length = 0;
  const char* bytes = static_cast<const char*>(bundle->Serialize(&length));
  const std::string serial(bytes, length);

  std::string answer;
  ASSERT_TRUE(ipc_test::RawExchange(channel, ipc_test::RequestMessage(L"Echo", serial + "tail"), answer));
  EXPECT_EQ(ipc_test::ResultOf(answer), tandipc::kCallBadRequest);
  EXPECT_EQ(calls, 0);
  ASSERT_TRUE(ipc_test::RawExchange(channel, ipc_test::RequestMessage(L"Echo", serial), answer));
  EXPECT_EQ(ipc_test::ResultOf(answer), 0);
  EXPECT_EQ(calls, 1);
  server.reset();
  SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);

  const auto refused = testing_support::ReadJournal(journal.File(L"tandipc.journal.jsonl"), L"refused");
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].at(L"reason"), L"bytes after the bundle");
  EXPECT_EQ(refused[0].at(L"function"), L"Echo");
  EXPECT_EQ(refused[0].at(L"channel"), channel);
}

TEST(IpcBoundary, AServerReleasedAfterStoppingChannelsItNeverServed) {
  TandIpcServerPtr server = NewServer();
  ASSERT_TRUE(server);
  server->Stop(ipc_test::UniqueChannel(L"never").c_str());
  EXPECT_FALSE(server->UnregisterFunction(ipc_test::UniqueChannel(L"never").c_str(), L"Echo"));
  server.reset();  // stops whatever it serves, and nothing else
  SUCCEED();
}

}  // namespace
