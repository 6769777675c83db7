// The lint program as the campaign's people run it: exit codes, one line per finding, the JSON
// form, and --fetch against the local file server (pictures named by their MD5, one renamed).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "VipCenterService.h"
#include "strategy/PopImageChecker.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace {

std::wstring Campaign() { return testing_support::ExecutableFolder() + L"artifacts\\tools-campaign"; }

std::string Item(const std::string& bg, const std::string& close, const std::string& confirm,
                 const std::string& extra = "") {
  return "{\"pop_version\": \"1\", \"new_install_days\": \"1\", \"update_vanta_minutes\": \"30\", "
         "\"count_down_enable\": \"1\", \"count_down_hours\": \"2\", \"recommand_package_months\": \"12\", "
         "\"bg_url\": \"" + bg + "\", \"close_btn_url\": \"" + close + "\", \"confirm_btn_url\": \"" + confirm + "\"" +
         extra + "}";
}

const std::string kClean = Item("https://cdn.example.com/pop/0123456789abcdef0123456789abcdef.png",
                                "https://cdn.example.com/pop/11111111111111111111111111111111.png",
                                "https://cdn.example.com/pop/22222222222222222222222222222222.png");

std::vector<std::string> Lines(const std::string& output) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < output.size()) {
    const size_t end = output.find('\n', start);
    lines.push_back(output.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

int Lint(const std::wstring& arguments, std::string& output) {
  return testing_support::ChildProcess::RunCapturing(L"lint.exe", arguments, output);
}

class LintCommand : public ::testing::Test {
 protected:
  std::wstring Write(const std::wstring& name, const std::string& text) {
    EXPECT_TRUE(testing_support::WriteBytes(folder.File(name), text));
    return L"\"" + folder.File(name) + L"\"";
  }
  testing_support::TempDir folder;
};

}  // namespace

TEST_F(LintCommand, CleanItemExitsZeroSilently) {
  std::string output;
  EXPECT_EQ(Lint(L"--config " + Write(L"clean.json", kClean), output), 0);
  EXPECT_EQ(output, "");
  EXPECT_EQ(Lint(L"--config " + Write(L"clean.json", kClean) + L" --json", output), 0);
  EXPECT_NE(output.find("\"clean\" : true"), std::string::npos) << output;
}

TEST_F(LintCommand, BrokenItemGivesOneLinePerFindingAndExitsOne) {
  const std::string broken =
      "{\"pop_version\": 1, \"new_install_days\": \"0\", \"avoid_tids\": \"1001-2-3\", "
      "\"bg_url\": \"http://cdn.example.com/pop/background.png\", "
      "\"close_btn_url\": \"https://cdn.example.com/pop/11111111111111111111111111111111.png\", "
      "\"confirm_btn_url\": \"https://cdn.example.com/pop/11111111111111111111111111111111.png\", "
      "\"count_down_enable\": \"1\", \"count_down_hours\": \"0\", \"recommand_package_months\": \"6\", "
      "\"update_vanta_minutes\": \"0\"}";
  std::string output;
  ASSERT_EQ(Lint(L"--config " + Write(L"broken.json", broken) + L" --host-type 1", output), 1);
  const std::vector<std::string> lines = Lines(output);
  const std::vector<std::string> starts{"error   pop_version: given as a number",
                                        "error   pop_version: reads as 0, not 1",
                                        "error   new_install_days:",
                                        "warning avoid_tids: entry \"1001-2-3\" has 3 parts",
                                        "error   bg_url: \"http://cdn.example.com/pop/background.png\" does not end",
                                        "warning bg_url: \"http://cdn.example.com/pop/background.png\" is not https",
                                        "error   confirm_btn_url: equal to close_btn_url",
                                        "error   count_down_hours: reads as 0 with the count-down on",
                                        "warning recommand_package_months: 6 months",
                                        "error   update_vanta_minutes: reads as 0: in host type 1"};
  ASSERT_EQ(lines.size(), starts.size()) << output;
  for (size_t i = 0; i < starts.size(); ++i) EXPECT_EQ(lines[i].compare(0, starts[i].size(), starts[i]), 0) << lines[i];

  ASSERT_EQ(Lint(L"--config " + Write(L"broken.json", broken) + L" --json", output), 1);
  qm::UxJson::Document document;
  ASSERT_TRUE(document.Parse(qm::encoding::Utf8ToWide(output))) << output;
  EXPECT_EQ(document.Get(L"findings").Size(), starts.size());
  EXPECT_EQ(document.Get(L"findings").At(0).Get(L"field").AsString(), L"pop_version");
}

TEST_F(LintCommand, ItemTextOnTheCommandLineAndNotJson) {
  std::string output;
  EXPECT_EQ(Lint(L"--config \"{\\\"pop_version\\\": \\\"2\\\"}\"", output), 1);
  EXPECT_NE(output.find("error   pop_version: reads as 2"), std::string::npos) << output;
  EXPECT_EQ(Lint(L"--config " + Write(L"garbage.json", "\x89PNG\r\n\x1a garbage"), output), 1);
  EXPECT_EQ(output.find("error   item: not JSON"), 0u) << output;
  EXPECT_EQ(Lint(L"--config " + Write(L"array.json", "[]"), output), 1);
  EXPECT_EQ(output.find("error   item: JSON but not an object"), 0u) << output;
}

TEST_F(LintCommand, CouldNotRunExitsTwo) {
  std::string output;
  EXPECT_EQ(Lint(L"", output), 2);
  EXPECT_EQ(Lint(L"--config \"" + folder.File(L"missing.json") + L"\"", output), 2);
  EXPECT_EQ(Lint(L"--config " + Write(L"x.json", kClean) + L" --host-type 9", output), 2);
  EXPECT_EQ(Lint(L"--config " + Write(L"x.json", kClean) + L" --bogus", output), 2);
  EXPECT_EQ(Lint(L"--config " + Write(L"huge.json", std::string((1u << 20) + 1, '{')), output), 2);
  EXPECT_EQ(output, "") << "reasons go to stderr";
}

TEST_F(LintCommand, FetchChecksThePicturesTheServerGives) {
  testing_support::VipCenterService service;
  ASSERT_TRUE(service.running());
  // The campaign's pictures published under their MD5; the confirm button also under a wrong name.
  std::vector<std::string> urls;
  const std::string base = "http://127.0.0.1:" + std::to_string(service.httpPort()) + "/files/";
  for (const wchar_t* name : {L"new_user_discount_background.png", L"new_user_discount_close_btn.png",
                              L"new_user_discount_confirm_btn.png"}) {
    const std::wstring source = Campaign() + L"\\images\\" + name;
    const std::wstring md5 = strategy::PopImageChecker::FileMd5(source);
    ASSERT_FALSE(md5.empty()) << "the campaign fixture did not run";
    CreateDirectoryW(service.FilesFolder().c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(source.c_str(), (service.FilesFolder() + L"\\" + md5 + L".png").c_str(), FALSE));
    urls.push_back(base + qm::encoding::WideToUtf8(md5) + ".png");
  }
  std::string output;
  EXPECT_EQ(Lint(L"--fetch --host-type 3 --config " + Write(L"fetch.json", Item(urls[0], urls[1], urls[2])), output), 1);
  for (const std::string& line : Lines(output)) EXPECT_NE(line.find("is not https"), std::string::npos) << line;

  const std::wstring confirm = Campaign() + L"\\images\\new_user_discount_confirm_btn.png";
  ASSERT_TRUE(CopyFileW(confirm.c_str(), (service.FilesFolder() + L"\\33333333333333333333333333333333.png").c_str(), FALSE));
  EXPECT_EQ(Lint(L"--fetch --host-type 3 --config " +
                     Write(L"fetch.json", Item(urls[0], urls[1], base + "33333333333333333333333333333333.png") +
                                              "") , output), 1);
  EXPECT_NE(output.find("error   confirm_btn_url: the download's MD5 is"), std::string::npos) << output;
  EXPECT_EQ(Lint(L"--fetch --host-type 3 --config " +
                     Write(L"fetch.json", Item(urls[0], urls[1], base + "44444444444444444444444444444444.png")), output), 1);
  EXPECT_NE(output.find("error   confirm_btn_url: download of"), std::string::npos) << output;
}
