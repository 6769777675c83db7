#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "ChildProcess.h"
#include "ScopedLogLevel.h"
#include "TestFiles.h"

using testing_support::ChildProcess;
using testing_support::ExecutableFolder;
using testing_support::FileSizeOf;
using testing_support::ReadBytes;
using testing_support::ScopedLogLevel;
using testing_support::WriteBytes;

namespace {

// Where logwriter.exe, built from the logger's code, writes: beside it, in log\.
std::wstring WriterLog() { return ExecutableFolder() + L"log\\logwriter.logwriter.exe.log"; }

}  // namespace

TEST(LoggerProcess, SizeRuleAppliesWhenTheNextProcessOpensTheFile) {
  ScopedLogLevel scoped(std::nullopt);
  ASSERT_TRUE(WriteBytes(WriterLog(), std::string(10485760, 'x')));
  ASSERT_EQ(ChildProcess::Run(L"logwriter.exe", L"kept 1"), 0);
  EXPECT_GT(FileSizeOf(WriterLog()), 10485760);

  ASSERT_TRUE(WriteBytes(WriterLog(), std::string(10485761, 'x')));
  ASSERT_EQ(ChildProcess::Run(L"logwriter.exe", L"emptied 1"), 0);
  const std::string text = ReadBytes(WriterLog());
  EXPECT_EQ(text.substr(0, 1), "[");
  EXPECT_LT(text.size(), 1000u);
  DeleteFileW(WriterLog().c_str());
}

TEST(LoggerProcess, TwoProcessesLoggingAtOnceWriteWholeLinesOnly) {
  ScopedLogLevel scoped(std::nullopt);
  DeleteFileW(WriterLog().c_str());
  constexpr int kLinesPerSeverity = 1500;
  {
    ChildProcess first(L"logwriter.exe", L"alpha " + std::to_wstring(kLinesPerSeverity) + L" 300");
    ChildProcess second(L"logwriter.exe", L"bravo " + std::to_wstring(kLinesPerSeverity) + L" 300");
    ASSERT_EQ(first.Wait(), 0);
    ASSERT_EQ(second.Wait(), 0);
  }
  const std::string text = ReadBytes(WriterLog());
  const std::regex whole(R"(\[\d+ *\|\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\|[ A-Z]{7}\|LogWriter\.cpp:\d+\] )"
                         R"((alpha|bravo) (info|warning|error) \d+\.{300})");
  int alpha = 0, bravo = 0;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = text.substr(start, end - start);
    ASSERT_TRUE(std::regex_match(line, whole)) << "torn line: " << line.substr(0, 120);
    (line.find("] alpha ") != std::string::npos ? alpha : bravo)++;
  }
  EXPECT_EQ(alpha, 3 * kLinesPerSeverity);
  EXPECT_EQ(bravo, 3 * kLinesPerSeverity);
  DeleteFileW(WriterLog().c_str());
}
