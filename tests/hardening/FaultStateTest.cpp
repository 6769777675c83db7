// The module's own state: its folder read-only, its "sdkutilcfg.ini" corrupt, and the clock set
// back a day between two exit scenes (which the next exit scene sees as a "last_show_time" of
// tomorrow). The host survives and the file is the old one or a whole new one.
#include <gtest/gtest.h>

#include <windows.h>

#include <ctime>
#include <string>

#include "FaultHost.h"
#include "TestFiles.h"

namespace hardening_test {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

std::string ShowRecord(long long at) { return "[new_user_discount]\r\nlast_show_time=" + std::to_string(at) + "\r\n"; }

bool HasReason(const FaultHost& host, const wchar_t* reason) {
  for (const auto& record : host.Records()) {
    if (record.at(L"fields").find(reason) != std::wstring::npos) return true;
  }
  return false;
}

// Read-only for as long as the test needs it, writable again for the clean-up.
class ReadOnly {
 public:
  explicit ReadOnly(std::wstring path) : path_(std::move(path)) {
    SetFileAttributesW(path_.c_str(), GetFileAttributesW(path_.c_str()) | FILE_ATTRIBUTE_READONLY);
  }
  ~ReadOnly() { SetFileAttributesW(path_.c_str(), GetFileAttributesW(path_.c_str()) & ~FILE_ATTRIBUTE_READONLY); }
  ReadOnly(const ReadOnly&) = delete;
  ReadOnly& operator=(const ReadOnly&) = delete;

 private:
  std::wstring path_;
};

TEST(FaultState, ReadOnlyStateFolder) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  const FaultRun first = host.Run(L"close");  // fetches the pictures and writes the record
  ASSERT_TRUE(first.shown) << first.output;
  // The record taken back by hand, then the folder and the file made read-only.
  ASSERT_TRUE(WriteBytes(host.StateFile(), ShowRecord(0)));
  const std::string before = ReadBytes(host.StateFile());
  ReadOnly file(host.StateFile());
  std::wstring folder = host.UtilFolder();
  folder.pop_back();
  ReadOnly directory(folder);
  const FaultRun run = host.Run(L"close");
  EXPECT_EQ(run.Problems(), "") << run.output;
  EXPECT_TRUE(run.shown) << run.output;
  EXPECT_EQ(ReadBytes(host.StateFile()), before) << "a read-only file keeps its bytes";
  EXPECT_FALSE(host.LeftTemporaryFiles());
  // Two sessions in one process, the record still not kept: the offer shows in the first only.
  const FaultRun twice = host.Run(L"close", L"--cycles 2");
  EXPECT_EQ(twice.exitCode, 0) << twice.output;
  EXPECT_NE(twice.output.find("demo: cycles: 1 of 2 shown"), std::string::npos) << twice.output;
  EXPECT_TRUE(HasReason(host, L"noshowreason:int=4")) << twice.output;
  EXPECT_EQ(ReadBytes(host.StateFile()), before);
}

TEST(FaultState, CorruptStateFile) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  // Binary noise, an unclosed section, invalid UTF-8 and one very long line.
  std::string corrupt("\x00\x01\xff\xfe[new_user_discount\r\nlast_show_time\r\n\xc3\x28=\x80\n", 42);
  corrupt += "[x]\r\n" + std::string(200000, 'k') + "\r\n";
  CreateDirectoryW(host.UtilFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(host.StateFile(), corrupt));
  const FaultRun run = host.Run(L"close");
  EXPECT_EQ(run.Problems(), "") << run.output;
  EXPECT_TRUE(run.shown) << "a record that cannot be read is no record";
  EXPECT_TRUE(host.StateIsOldOrNew(corrupt, run));
}

TEST(FaultState, ClockSetBackADayBetweenTwoExitScenes) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  const FaultRun first = host.Run(L"close");
  ASSERT_TRUE(first.shown) << first.output;
  // The clock goes back a day: the record made "today" now lies tomorrow.
  const std::string tomorrow = ShowRecord(static_cast<long long>(time(nullptr)) + 86400);
  ASSERT_TRUE(WriteBytes(host.StateFile(), tomorrow));
  const FaultRun run = host.Run(L"close");
  EXPECT_EQ(run.Problems(), "") << run.output;
  EXPECT_FALSE(run.shown) << "shown before, whatever the clock says";
  EXPECT_TRUE(HasReason(host, L"noshowreason:int=4")) << run.output;
  EXPECT_EQ(ReadBytes(host.StateFile()), tomorrow);
}

}  // namespace
}  // namespace hardening_test
