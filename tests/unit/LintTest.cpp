// The campaign linter on crafted items: one case per kind of mistake, a clean item, the item's
// loading (file, text, remote-configuration file, garbage, huge), the output forms, and the
// picture audit with a downloader that copies local files.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestPictures.h"
#include "lint/CampaignItem.h"
#include "lint/CampaignLinter.h"
#include "lint/LintCommand.h"
#include "lint/PopImageAudit.h"
#include "strategy/PopImageChecker.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

using campaign::CampaignItem;
using campaign::CampaignLinter;
using campaign::LintFinding;
using Severity = campaign::LintFinding::Severity;

namespace {

const std::wstring kBg = L"https://cdn.example.com/pop/0123456789abcdef0123456789abcdef.png";
const std::wstring kClose = L"https://cdn.example.com/pop/11111111111111111111111111111111.png";
const std::wstring kConfirm = L"https://cdn.example.com/pop/FEDCBA9876543210FEDCBA9876543210.png";

// A clean item with one field replaced (or removed when value is null).
std::wstring Item(std::map<std::wstring, std::wstring> changes = {}) {
  std::map<std::wstring, std::wstring> fields{
      {L"pop_version", L"\"1\""},           {L"new_install_days", L"\"3\""},  {L"avoid_tids", L"\"1001|2001-3\""},
      {L"bg_url", L"\"" + kBg + L"\""},     {L"close_btn_url", L"\"" + kClose + L"\""},
      {L"confirm_btn_url", L"\"" + kConfirm + L"\""}, {L"count_down_enable", L"\"1\""},
      {L"count_down_hours", L"\"2\""},      {L"count_down_style", L"\"2\""},
      {L"recommand_package_months", L"\"12\""}, {L"update_vanta_minutes", L"\"30\""}};
  for (const auto& [name, value] : changes) {
    if (value.empty()) {
      fields.erase(name);
    } else {
      fields[name] = value;
    }
  }
  std::wstring text = L"{";
  for (const auto& [name, value] : fields) text += (text.size() > 1 ? L", \"" : L"\"") + name + L"\": " + value;
  return text + L"}";
}

std::vector<LintFinding> Lint(const std::wstring& text, int hostType = 0) {
  return CampaignLinter(hostType).Lint(CampaignItem(text));
}

// The findings of one field, as "severity: message".
std::vector<std::wstring> Of(const std::vector<LintFinding>& findings, const std::wstring& field) {
  std::vector<std::wstring> lines;
  for (const LintFinding& finding : findings) {
    if (finding.field == field) lines.push_back(std::wstring(finding.SeverityName()) + L": " + finding.message);
  }
  return lines;
}

bool Has(const std::vector<LintFinding>& findings, Severity severity, const std::wstring& field,
         const std::wstring& words) {
  return std::any_of(findings.begin(), findings.end(), [&](const LintFinding& finding) {
    return finding.severity == severity && finding.field == field && finding.message.find(words) != std::wstring::npos;
  });
}

std::wstring Dump(const std::vector<LintFinding>& findings) {
  std::wstring text;
  for (const LintFinding& finding : findings) text += finding.field + L": " + finding.message + L"\n";
  return text;
}

}  // namespace

TEST(Lint, ACleanItemHasNoFindings) {
  const auto findings = Lint(Item());
  EXPECT_TRUE(findings.empty()) << testing::PrintToString(Dump(findings));
  EXPECT_TRUE(Lint(Item(), 1).empty());
  EXPECT_TRUE(Lint(Item({{L"update_vanta_minutes", L""}}), 3).empty()) << "host 3 needs no price refresh";
}

TEST(Lint, NotJsonOrNotAnObjectStopsAtTheItem) {
  for (const std::wstring text : {L"{\"pop_version\": \"1\"", L"<xml/>", L"{pop_version: 1}"}) {
    const auto findings = Lint(text);
    ASSERT_EQ(findings.size(), 1u) << testing::PrintToString(text);
    EXPECT_TRUE(Has(findings, Severity::kError, L"item", L"not JSON"));
  }
  for (const std::wstring text : {L"[1, 2]", L"\"text\"", L"12"}) {
    const auto findings = Lint(text);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(Has(findings, Severity::kError, L"item", L"not an object")) << testing::PrintToString(text);
  }
  EXPECT_TRUE(Has(Lint(L"  \r\n"), Severity::kError, L"item", L"Vanta not enable"));
  // The module's parser takes no space before the item.
  EXPECT_TRUE(Has(Lint(L" " + Item()), Severity::kError, L"item", L"not JSON"));
}

TEST(Lint, ATunableGivenAsANumberReadsAsZero) {
  const auto findings = Lint(Item({{L"pop_version", L"1"}, {L"count_down_hours", L"2"}}));
  EXPECT_TRUE(Has(findings, Severity::kError, L"pop_version", L"a number instead of text"));
  EXPECT_TRUE(Has(findings, Severity::kError, L"pop_version", L"reads as 0, not 1")) << "the consequence";
  EXPECT_TRUE(Has(findings, Severity::kError, L"count_down_hours", L"reads as 0"));
  EXPECT_TRUE(Has(Lint(Item({{L"bg_url", L"true"}})), Severity::kError, L"bg_url", L"reads as empty text"));
  EXPECT_TRUE(Has(Lint(Item({{L"avoid_tids", L"[1001]"}})), Severity::kError, L"avoid_tids", L"an array"));
}

TEST(Lint, PopVersionOtherThanOne) {
  const auto findings = Lint(Item({{L"pop_version", L"\"2\""}}));
  EXPECT_EQ(Of(findings, L"pop_version"),
            std::vector<std::wstring>{L"error: reads as 2, not 1: the module logs \"Pop version not valid\" (reason 9)"});
  EXPECT_TRUE(Has(Lint(Item({{L"pop_version", L"\"v1\""}})), Severity::kError, L"pop_version", L"reads as 0"));
  EXPECT_TRUE(Of(Lint(Item({{L"pop_version", L""}})), L"pop_version").empty()) << "missing means 1";
}

TEST(Lint, NewInstallDaysMustBeAPositiveInteger) {
  for (const std::wstring value : {L"\"0\"", L"\"-2\"", L"\"three\"", L"\"3 days\"", L"\"\""}) {
    EXPECT_TRUE(Has(Lint(Item({{L"new_install_days", value}})), Severity::kError, L"new_install_days",
                    L"not a positive integer"))
        << testing::PrintToString(value);
  }
  EXPECT_TRUE(Of(Lint(Item({{L"new_install_days", L"\"1\""}})), L"new_install_days").empty());
}

TEST(Lint, AvoidTidsEntriesWithMoreThanTwoPartsNeverMatch) {
  const auto findings = Lint(Item({{L"avoid_tids", L"\"1001|1001-5-7||2001--3|abc\""}}));
  EXPECT_TRUE(Has(findings, Severity::kWarning, L"avoid_tids", L"\"1001-5-7\" has 3 parts"));
  EXPECT_TRUE(Has(findings, Severity::kWarning, L"avoid_tids", L"\"abc\" is not a product id"));
  EXPECT_EQ(Of(findings, L"avoid_tids").size(), 2u) << "2001--3 is tid1 2001 with tid2 3";
}

TEST(Lint, ImageUrlsMustEndInTheirMd5) {
  const auto findings = Lint(Item({{L"bg_url", L"\"https://cdn.example.com/pop/background.png\""},
                                   {L"close_btn_url", L"\"https://cdn.example.com/0123456789abcdef0123456789abcdeg.png\""},
                                   {L"confirm_btn_url", L"\"https://cdn.example.com/0123456789abcdef0123456789abcdef\""}}));
  for (const wchar_t* field : {L"bg_url", L"close_btn_url", L"confirm_btn_url"}) {
    EXPECT_TRUE(Has(findings, Severity::kError, field, L"does not end in 32 hexadecimal digits")) << field;
  }
  EXPECT_TRUE(Has(Lint(Item({{L"close_btn_url", L""}})), Severity::kError, L"close_btn_url", L"missing or empty"));
  EXPECT_TRUE(CampaignLinter::IsMd5Name(L"https://a/b\\0123456789ABCDEF0123456789abcdef.jpg"));
  EXPECT_FALSE(CampaignLinter::IsMd5Name(L"https://a/0123456789abcdef0123456789abcdef.png?v=2"));
}

TEST(Lint, ImageUrlsMustBeHttpsAndDistinct) {
  const std::wstring plain = L"\"http://cdn.example.com/pop/0123456789abcdef0123456789abcdef.png\"";
  EXPECT_EQ(Of(Lint(Item({{L"bg_url", plain}})), L"bg_url"),
            std::vector<std::wstring>{L"warning: \"http://cdn.example.com/pop/0123456789abcdef0123456789abcdef.png\" is not https"});
  const auto findings = Lint(Item({{L"confirm_btn_url", L"\"" + kBg + L"\""}}));
  EXPECT_TRUE(Has(findings, Severity::kError, L"confirm_btn_url", L"equal to bg_url"));
  EXPECT_TRUE(Of(findings, L"bg_url").empty()) << "reported once, on the later field";
}

TEST(Lint, CountDownOnWithZeroHoursClosesAtTheFirstTick) {
  EXPECT_TRUE(Has(Lint(Item({{L"count_down_hours", L"\"0\""}})), Severity::kError, L"count_down_hours",
                  L"closes at the first tick"));
  EXPECT_TRUE(Of(Lint(Item({{L"count_down_hours", L"\"0\""}, {L"count_down_enable", L"\"0\""}})), L"count_down_hours")
                  .empty())
      << "off: the hours are not used";
  EXPECT_TRUE(Has(Lint(Item({{L"count_down_enable", L"\"yes\""}})), Severity::kWarning, L"count_down_enable",
                  L"only \"1\" turns the count-down on"));
  EXPECT_TRUE(Has(Lint(Item({{L"count_down_style", L"\"3\""}})), Severity::kWarning, L"count_down_style", L"style 1"));
  EXPECT_TRUE(Has(Lint(Item({{L"count_down_hours", L"\"120\""}})), Severity::kWarning, L"count_down_hours",
                  L"three digits"));
}

TEST(Lint, MonthsThatAreNotWholeYears) {
  const auto findings = Lint(Item({{L"recommand_package_months", L"\"18\""}}));
  EXPECT_EQ(Of(findings, L"recommand_package_months"),
            std::vector<std::wstring>{L"warning: 18 months is not a whole number of years: the price block shows "
                                      L"\"/1\u5e74\" (\"/%d\u5e74\" of months / 12)"});
  EXPECT_TRUE(Has(Lint(Item({{L"recommand_package_months", L"\"6\""}})), Severity::kWarning,
                  L"recommand_package_months", L"\"/0\u5e74\""));
  EXPECT_TRUE(Has(Lint(Item({{L"recommand_package_months", L"\"-12\""}})), Severity::kError,
                  L"recommand_package_months", L"negative"));
  EXPECT_TRUE(Of(Lint(Item({{L"recommand_package_months", L"\"24\""}})), L"recommand_package_months").empty());
}

TEST(Lint, NoPriceRefreshInAHostThatNeedsOne) {
  const std::wstring item = Item({{L"update_vanta_minutes", L"\"0\""}});
  EXPECT_TRUE(Has(Lint(item, 1), Severity::kError, L"update_vanta_minutes", L"in host type 1 the price is queried once"));
  EXPECT_TRUE(Has(Lint(item, 2), Severity::kError, L"update_vanta_minutes", L"never refreshed"));
  EXPECT_TRUE(Has(Lint(item), Severity::kWarning, L"update_vanta_minutes", L"in host types 1 and 2"));
  EXPECT_TRUE(Lint(item, 5).empty());
  EXPECT_TRUE(Has(Lint(Item({{L"update_vanta_minutes", L""}}), 2), Severity::kError, L"update_vanta_minutes",
                  L"reads as 0")) << "missing is 0 too";
}

TEST(Lint, QaUuidsHaveTheUuidFormAndAreFew) {
  const std::wstring uuid = L"01234567-89ab-cdef-0123-456789abcdef";
  EXPECT_TRUE(Of(Lint(Item({{L"qa_uuids", L"\"" + uuid + L"|FEDCBA9876543210FEDCBA9876543210\""}})), L"qa_uuids").empty());
  const auto bad = Lint(Item({{L"qa_uuids", L"\"" + uuid + L"|tester-7|\""}}));
  EXPECT_EQ(Of(bad, L"qa_uuids").size(), 1u) << Dump(bad);
  EXPECT_TRUE(Has(bad, Severity::kError, L"qa_uuids", L"\"tester-7\" is not a machine uuid"));
  std::wstring many;
  for (int i = 0; i <= 50; ++i) many += (i ? L"|" : L"") + std::wstring(24, L'a') + std::to_wstring(10000000 + i);
  EXPECT_TRUE(Has(Lint(Item({{L"qa_uuids", L"\"" + many + L"\""}})), Severity::kWarning, L"qa_uuids",
                  L"51 machines, more than a QA team's 50"));
  EXPECT_TRUE(Of(Lint(Item({{L"qa_uuids", L"\"" + many.substr(33) + L"\""}})), L"qa_uuids").empty());
}

TEST(Lint, UnknownFieldsAreNamed) {
  EXPECT_TRUE(Has(Lint(Item({{L"recommend_package_months", L"\"12\""}})), Severity::kWarning,
                  L"recommend_package_months", L"not a field the module reads"));
}

TEST(LintItem, ReadsFieldsAsTheModuleDoes) {
  const CampaignItem item(L"{\"pop_version\": 1, \"new_install_days\": \"7\", \"count_down_hours\": \"x\"}");
  EXPECT_EQ(item.Int(L"pop_version", 1), 0);
  EXPECT_EQ(item.Int(L"new_install_days", 1), 7);
  EXPECT_EQ(item.Int(L"count_down_hours", 2), 0);
  EXPECT_EQ(item.Int(L"count_down_style", 1), 1);
  EXPECT_EQ(item.String(L"bg_url", L""), L"");
}

TEST(LintItem, LoadsAFileTextOrARemoteConfigurationFile) {
  testing_support::TempDir folder;
  CampaignItem item;
  std::wstring error;
  ASSERT_TRUE(testing_support::WriteBytes(folder.File(L"item.json"), "\xEF\xBB\xBF{\"pop_version\": \"2\"}"));
  ASSERT_TRUE(CampaignItem::Load(folder.File(L"item.json"), item, error)) << testing::PrintToString(error);
  EXPECT_EQ(item.Int(L"pop_version", 1), 2);
  ASSERT_TRUE(CampaignItem::Load(L"{\"pop_version\": \"3\"}", item, error));
  EXPECT_EQ(item.Int(L"pop_version", 1), 3);
  ASSERT_TRUE(testing_support::WriteBytes(
      folder.File(L"zvanta.json"),
      "{\"start\": true, \"items\": {\"other\": {}, \"new_user_discount_5\": {\"pop_version\": \"4\"}}, \"groups\": {}}"));
  ASSERT_TRUE(CampaignItem::Load(folder.File(L"zvanta.json"), item, error));
  EXPECT_EQ(item.source_name(), L"new_user_discount_5");
  EXPECT_EQ(item.Int(L"pop_version", 1), 4);
}

TEST(LintItem, RefusesWhatItCannotRead) {
  testing_support::TempDir folder;
  CampaignItem item;
  std::wstring error;
  EXPECT_FALSE(CampaignItem::Load(folder.File(L"missing.json"), item, error));
  EXPECT_NE(error.find(L"no such file"), std::wstring::npos);
  ASSERT_TRUE(testing_support::WriteBytes(folder.File(L"huge.json"), std::string(CampaignItem::kMaxBytes + 1, ' ')));
  EXPECT_FALSE(CampaignItem::Load(folder.File(L"huge.json"), item, error));
  EXPECT_NE(error.find(L"over 1 MiB"), std::wstring::npos);
  // Garbage and truncated files load, and the linter names them.
  for (const std::string& bytes : {std::string("\x01\xFF\xFE garbage", 11), std::string("{\"pop_version\": \"1"),
                                  std::string(5000, '[')}) {
    ASSERT_TRUE(testing_support::WriteBytes(folder.File(L"bad.json"), bytes));
    ASSERT_TRUE(CampaignItem::Load(folder.File(L"bad.json"), item, error));
    const auto findings = CampaignLinter().Lint(item);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].field, L"item");
  }
}

TEST(LintOutput, TextAndJsonForms) {
  const std::vector<LintFinding> findings{{Severity::kError, L"pop_version", L"reads as 2"},
                                          {Severity::kWarning, L"bg_url", L"\"x\" is not https"}};
  EXPECT_EQ(campaign::LintCommand::FormatText(findings),
            "error   pop_version: reads as 2\nwarning bg_url: \"x\" is not https\n");
  qm::UxJson::Document document;
  ASSERT_TRUE(document.Parse(qm::encoding::Utf8ToWide(campaign::LintCommand::FormatJson(findings))));
  EXPECT_FALSE(document.Get(L"clean").AsBool(true));
  EXPECT_EQ(document.Get(L"findings").Size(), 2u);
  EXPECT_EQ(document.Get(L"findings").At(1).Get(L"message").AsString(), L"\"x\" is not https");
  ASSERT_TRUE(document.Parse(qm::encoding::Utf8ToWide(campaign::LintCommand::FormatJson({}))));
  EXPECT_TRUE(document.Get(L"clean").AsBool(false));
  EXPECT_EQ(document.Get(L"findings").Type(), qm::UxJson::kArray);
}

namespace {

// Serves URLs from local files, by the URL's last segment.
class LocalServer {
 public:
  explicit LocalServer(std::wstring folder) : folder_(std::move(folder)) {}
  campaign::PopImageAudit::Downloader Downloader() {
    return [this](const std::wstring& url, const std::wstring& file) {
      ++requests;
      const std::wstring name = url.substr(url.find_last_of(L'/') + 1);
      return CopyFileW((folder_ + L"\\" + name).c_str(), file.c_str(), FALSE) ? 0 : 404;
    };
  }
  int requests = 0;

 private:
  std::wstring folder_;
};

// Writes a picture and names it by its MD5, as a server publishes it; returns the URL.
std::wstring Publish(const testing_support::TempDir& folder, int frameWidth, int height, int frames) {
  const std::wstring scratch = folder.File(L"scratch.png");
  std::initializer_list<uint32_t> one{0xFF336699u}, three{0xFF336699u, 0xFF6699CCu, 0xFF99CCFFu};
  testing_support::WritePicture(scratch, frameWidth, height, frames == 3 ? three : one);
  const std::wstring md5 = strategy::PopImageChecker::FileMd5(scratch);
  MoveFileExW(scratch.c_str(), folder.File(md5 + L".png").c_str(), MOVEFILE_REPLACE_EXISTING);
  return L"https://cdn.example.com/pop/" + md5 + L".png";
}

std::wstring ItemOf(const std::wstring& bg, const std::wstring& close, const std::wstring& confirm) {
  return Item({{L"bg_url", L"\"" + bg + L"\""}, {L"close_btn_url", L"\"" + close + L"\""},
               {L"confirm_btn_url", L"\"" + confirm + L"\""}});
}

}  // namespace

TEST(LintPictures, PicturesOfTheRightMd5AndSizePass) {
  testing_support::TempDir server, downloads;
  LocalServer local(server.path());
  const std::wstring item = ItemOf(Publish(server, 520, 360, 1), Publish(server, 24, 24, 3), Publish(server, 280, 68, 3));
  campaign::PopImageAudit audit(local.Downloader(), downloads.path() + L"\\");
  const auto findings = audit.Audit(CampaignItem(item));
  EXPECT_TRUE(findings.empty()) << testing::PrintToString(Dump(findings));
  EXPECT_EQ(local.requests, 3);
  EXPECT_FALSE(audit.FileOf(L"confirm_btn_url").empty());
}

TEST(LintPictures, WrongMd5SizeStripOrContentAreNamed) {
  testing_support::TempDir server, downloads;
  LocalServer local(server.path());
  const std::wstring bg = Publish(server, 500, 360, 1);
  const std::wstring close = Publish(server, 25, 24, 1);  // 25 wide: no strip of three
  const std::wstring confirm = Publish(server, 300, 68, 3);
  // A picture published under another picture's MD5.
  const std::wstring wrong = L"https://cdn.example.com/pop/00000000000000000000000000000000.png";
  CopyFileW(server.File(bg.substr(bg.find_last_of(L'/') + 1)).c_str(),
            server.File(L"00000000000000000000000000000000.png").c_str(), FALSE);
  auto findings = campaign::PopImageAudit(local.Downloader(), downloads.path() + L"\\").Audit(CampaignItem(ItemOf(bg, close, confirm)));
  EXPECT_TRUE(Has(findings, Severity::kError, L"bg_url", L"is 500\u00d7360, the layout draws it at 520\u00d7360"));
  EXPECT_TRUE(Has(findings, Severity::kError, L"close_btn_url", L"not a strip of 3"));
  EXPECT_TRUE(Has(findings, Severity::kWarning, L"confirm_btn_url", L"frames of 300\u00d768"));
  findings = campaign::PopImageAudit(local.Downloader(), downloads.path() + L"\\").Audit(CampaignItem(ItemOf(wrong, close, confirm)));
  EXPECT_TRUE(Has(findings, Severity::kError, L"bg_url", L"the URL names 00000000000000000000000000000000"));

  ASSERT_TRUE(testing_support::WriteBytes(server.File(L"22222222222222222222222222222222.png"), "not a picture"));
  findings = campaign::PopImageAudit(local.Downloader(), downloads.path() + L"\\")
                 .Audit(CampaignItem(ItemOf(L"https://x/22222222222222222222222222222222.png", close, confirm)));
  EXPECT_TRUE(Has(findings, Severity::kError, L"bg_url", L"not a picture the engine can decode"));
  findings = campaign::PopImageAudit(local.Downloader(), downloads.path() + L"\\")
                 .Audit(CampaignItem(ItemOf(L"https://x/33333333333333333333333333333333.png", close, confirm)));
  EXPECT_TRUE(Has(findings, Severity::kError, L"bg_url", L"failed (code 404)"));
}

TEST(LintPictures, EqualUrlsAreDownloadedOnce) {
  testing_support::TempDir server, downloads;
  LocalServer local(server.path());
  const std::wstring button = Publish(server, 24, 24, 3);
  campaign::PopImageAudit(local.Downloader(), downloads.path() + L"\\")
      .Audit(CampaignItem(ItemOf(Publish(server, 520, 360, 1), button, button)));
  EXPECT_EQ(local.requests, 2);
}
