#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "TestFiles.h"
#include "utils/LogMessage.h"
#include "utils/Win32LogEnvironment.h"
#include "utils/ZLogger.h"

using namespace zlog;
using testing_support::FileSizeOf;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class FakeLogEnvironment : public LogEnvironment {
 public:
  std::optional<DWORD> ReadLogLevel() override {
    ++levelReads;
    return level;
  }
  std::wstring ComputeLogPath() override { return path; }

  std::optional<DWORD> level;
  std::wstring path;
  int levelReads = 0;
};

class LoggerTest : public ::testing::Test {
 protected:
  LoggerTest() { environment.path = dir.File(L"host.pagesdkutil.dll.log"); }

  void Log(ZLogger& logger, int severity, const std::wstring& text) {
    if (logger.ShouldLog(severity)) LogMessage(logger, severity, L"C:\\src\\utils\\Thing.cpp", 12).stream() << text;
  }

  TempDir dir;
  FakeLogEnvironment environment;
};

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME t{};
  t.wYear = WORD(year), t.wMonth = WORD(month), t.wDay = WORD(day);
  t.wHour = WORD(hour), t.wMinute = WORD(minute), t.wSecond = WORD(second);
  return t;
}

}  // namespace

TEST(LogPrefix, HasTheFixedFieldWidths) {
  const SYSTEMTIME t = At(2026, 12, 4, 9, 5, 7);
  EXPECT_EQ(LogMessage::FormatPrefix(5328, t, LOG_SEVERITY_INFO, L"D:\\build\\src\\main.cpp", 32),
            L"[5328 |2026-12-04 09:05:07|   INFO|main.cpp:32] ");
  EXPECT_EQ(LogMessage::FormatPrefix(1234567, t, LOG_SEVERITY_ERROR, L"src/utils/a.cpp", 1),
            L"[1234567|2026-12-04 09:05:07|  ERROR|a.cpp:1] ");
  EXPECT_EQ(LogMessage::FormatPrefix(7, t, 9, L"plain.cpp", 0), L"[7    |2026-12-04 09:05:07|UNKNOWN|plain.cpp:0] ");
  EXPECT_EQ(LogMessage::FormatPrefix(7, t, LOG_SEVERITY_DEBUG, L"mixed/dir\\x.cpp", 3).substr(27),
            L"  DEBUG|x.cpp:3] ");
}

TEST(LogThreshold, FollowsTheLogLevelValue) {
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(std::nullopt), 1);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(0), 0);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(2), 2);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(4), 3);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(5), 1);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(7), 1);
  EXPECT_EQ(ZLogger::ThresholdFromLogLevel(0xFFFFFFFF), 1);
}

TEST(LogPath, SitsInTheLogFolderBesideTheHostAndNeedsBothNames) {
  EXPECT_EQ(Win32LogEnvironment::LogPathFor(L"C:\\Host App\\WystanPDF.exe", L"pagesdkutil.dll"),
            L"C:\\Host App\\log\\WystanPDF.pagesdkutil.dll.log");
  EXPECT_EQ(Win32LogEnvironment::LogPathFor(L"C:\\a.b\\host", L"m.dll"), L"C:\\a.b\\log\\host.m.dll.log");
  // An unknown name leaves the path empty, so the next statement tries again.
  EXPECT_EQ(Win32LogEnvironment::LogPathFor(L"C:\\Host\\host.exe", L""), L"");
  EXPECT_EQ(Win32LogEnvironment::LogPathFor(L"", L"pagesdkutil.dll"), L"");
  EXPECT_EQ(Win32LogEnvironment::LogPathFor(L"host.exe", L"pagesdkutil.dll"), L"");
}

TEST_F(LoggerTest, WritesUtf8LinesWithoutBomAndFiltersBySeverity) {
  environment.level = std::nullopt;
  ZLogger logger(environment);
  Log(logger, LOG_SEVERITY_DEBUG, L"hidden");
  Log(logger, LOG_SEVERITY_INFO, L"\u65b0\u7528\u6237 shown");
  Log(logger, LOG_SEVERITY_ERROR, L"error shown");
  const std::string text = ReadBytes(environment.path);
  EXPECT_EQ(text.find("hidden"), std::string::npos);
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(^\[\d+ *\|\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\|   INFO\|Thing\.cpp:12\] )"
                                                 "\xe6\x96\xb0\xe7\x94\xa8\xe6\x88\xb7 shown\r\n")));
  EXPECT_NE(text.find("|  ERROR|Thing.cpp:12] error shown\r\n"), std::string::npos);
  EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(LoggerTest, FailedInitialisationIsRetriedByTheNextStatement) {
  environment.path.clear();
  ZLogger logger(environment);
  EXPECT_FALSE(logger.IsEnabled());
  EXPECT_FALSE(logger.IsEnabled());
  EXPECT_EQ(environment.levelReads, 2);
  environment.path = dir.File(L"later.log");
  EXPECT_TRUE(logger.IsEnabled());
  EXPECT_TRUE(logger.IsEnabled());
  EXPECT_EQ(environment.levelReads, 3) << "initialised once it succeeded";
  EXPECT_EQ(logger.Path(), environment.path);
}

TEST_F(LoggerTest, CallersLastErrorSurvivesSetUpAndWriting) {
  ZLogger logger(environment);
  SetLastError(4242);
  EXPECT_TRUE(logger.ShouldLog(LOG_SEVERITY_INFO));
  EXPECT_EQ(GetLastError(), 4242u);
  {
    LogMessage message(logger, LOG_SEVERITY_INFO, L"f.cpp", 1);
    CreateFileW(L"Z:\\definitely\\missing\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    message.stream() << L"text";
  }
  EXPECT_EQ(GetLastError(), 4242u);
}

TEST_F(LoggerTest, ErrorRecordsEndWithTheSystemTextAndCode) {
  ZLogger logger(environment);
  { ErrorLogMessage(logger, LOG_SEVERITY_ERROR, L"f.cpp", 1, ERROR_FILE_NOT_FOUND).stream() << L"open failed"; }
  { ErrorLogMessage(logger, LOG_SEVERITY_ERROR, L"f.cpp", 2, 0x80004005).stream() << L"call failed"; }
  { ErrorLogMessage(logger, LOG_SEVERITY_ERROR, L"f.cpp", 3, 0x2345ABCD).stream() << L"odd"; }
  const std::string text = ReadBytes(environment.path);
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(f\.cpp:1\] open failed: [^\r\n]+[^\s] \(0x2\)\r\n)"))) << text;
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(f\.cpp:2\] call failed: [^\r\n]+ \(0x80004005\)\r\n)"))) << text;
  EXPECT_TRUE(std::regex_search(
      text, std::regex(R"(f\.cpp:3\] odd: Error \(0x[0-9A-F]+\) while retrieving error\. \(0x2345ABCD\)\r\n)")))
      << text;
}

TEST_F(LoggerTest, RecordLeftByAnExceptionIsNotWritten) {
  ZLogger logger(environment);
  try {
    LogMessage message(logger, LOG_SEVERITY_ERROR, L"f.cpp", 1);
    message.stream() << L"half built";
    throw std::runtime_error("boom");
  } catch (const std::runtime_error&) {
  }
  Log(logger, LOG_SEVERITY_INFO, L"after");
  const std::string text = ReadBytes(environment.path);
  EXPECT_EQ(text.find("half built"), std::string::npos);
  EXPECT_NE(text.find("after"), std::string::npos);
}

TEST_F(LoggerTest, ThreadsNeverInterleaveInsideALine) {
  ZLogger logger(environment);
  constexpr int kThreads = 4;
  constexpr int kLines = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kLines; ++i) Log(logger, LOG_SEVERITY_INFO, std::wstring(100, L'a' + t) + L"|end");
    });
  }
  for (auto& thread : threads) thread.join();
  const std::string text = ReadBytes(environment.path);
  const std::regex whole(R"(\[\d+ *\|[^|]+\|   INFO\|Thing\.cpp:12\] ([a-d])\1{99}\|end)");
  size_t count = 0;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2, ++count) {
    ASSERT_TRUE(std::regex_match(text.substr(start, end - start), whole)) << text.substr(start, end - start);
  }
  EXPECT_EQ(count, size_t(kThreads * kLines));
}
