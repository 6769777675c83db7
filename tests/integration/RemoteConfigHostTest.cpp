// The remote-configuration identity as the real module hands it to zvanta.dll in simulated hosts
// of types 1, 2 and 3, and the configuration read back through the same wrapper code.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "JournalReader.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

using testing_support::ChildProcess;

namespace {

using Setters = std::vector<std::pair<std::wstring, std::wstring>>;  // slot, value in call order

class RemoteConfigHost : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type 1 --root " + root_);
  }

  // Installs the host, runs one session of the real module in it and returns the identity journal.
  Setters RunSession(int type, const std::wstring& options, const std::wstring& installation,
                     const std::wstring& hostExe) {
    root_ = L"C:\\activity-hosts\\rc" + std::to_wstring(type);
    folder_ = root_ + L"\\" + installation + L"\\";
    EXPECT_EQ(ChildProcess::Run(L"hostfixture.exe",
                                L"install --type " + std::to_wstring(type) + L" --root " + root_ + L" " + options),
              0);
    std::string output;
    EXPECT_EQ(ChildProcess::RunCapturing(folder_ + hostExe, L"--scene 0 --log-level keep", output), 0) << output;
    Setters setters;
    for (const auto& entry : testing_support::ReadJournal(folder_ + L"zvanta.journal.jsonl", L"SetIdentity")) {
      setters.emplace_back(entry.at(L"slot"), entry.at(L"value"));
    }
    EXPECT_EQ(testing_support::ReadJournal(folder_ + L"zvanta.journal.jsonl", L"Release").size(), 1u)
        << "Uninitialize releases the root object";
    return setters;
  }

  void ExpectRemoteConfig(const std::wstring& hostExe, const std::wstring& item) {
    std::string output;
    ASSERT_EQ(ChildProcess::RunCapturing(folder_ + hostExe, L"--diagnose", output), 0);
    UxJsonEx::Document report;
    ASSERT_TRUE(report.Parse(qm::encoding::Utf8ToWide(output)));
    const auto config = report.Get(L"remote_config");
    EXPECT_EQ(config.Get(L"initialize").AsInt(), 1);
    EXPECT_EQ(config.Get(L"item").AsString(), item);
    EXPECT_EQ(config.Get(L"ab_group").AsInt(), 2);
    EXPECT_EQ(config.Get(L"pop_version").AsInt(), 3);
  }

  std::wstring root_;
  std::wstring folder_;
};

}  // namespace

TEST_F(RemoteConfigHost, Type3WystanIdentity) {
  const Setters setters = RunSession(
      3, L"--tid1 4294967295 --tid2 7 --tod1 8 --iid 99 --tryno 5 --city 101 "
         L"--svrid 0123456789abcdef0123456789abcdef --uuid abcdefabcdefabcdefabcdefabcdefab",
      L"Quillon", L"WystanPDF.exe");
  const Setters expected = {{L"6", L"0123456789abcdef0123456789abcdef"},
                            {L"7", L"13"},
                            {L"8", L"quillon"},
                            {L"9", L"com.qm.quillon"},
                            {L"17", L"1"},
                            {L"10", L"5"},
                            {L"11", L"4294967295"},
                            {L"12", L"7"},
                            {L"13", L"8"},
                            {L"14", L""},
                            {L"15", L"99"},
                            {L"16", L"ABCDEFABCDEFABCDEFABCDEFABCDEFAB"},
                            {L"18", L"101"},
                            {L"19", L"software\\quillon\\vanta"}};
  EXPECT_EQ(setters, expected);
  ExpectRemoteConfig(L"WystanPDF.exe", L"new_user_discount_5");
}

TEST_F(RemoteConfigHost, Type2ObIdentityWithoutRelativeRegPath) {
  const Setters setters = RunSession(
      2, L"--pid 31 --tod1 32 --tod2 33 --iid 34 --tryno 6 --city 77 --no-relative-reg-path "
         L"--uid 01234567-89ab-cdef-0123-456789abcdef --ob-uuid aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee",
      L"Orbilant", L"orbilant.exe");
  const Setters expected = {{L"6", L"0123456789ABCDEF0123456789ABCDEF"},
                            {L"7", L"2"},
                            {L"8", L"rh_ob"},
                            {L"9", L"com.rhond.ob"},
                            {L"17", L"1"},
                            {L"10", L"6"},
                            {L"11", L"31"},
                            {L"12", L"31"},
                            {L"13", L"32"},
                            {L"14", L"33"},
                            {L"15", L"34"},
                            {L"16", L"AAAAAAAABBBBCCCCDDDDEEEEEEEEEEEE"},
                            {L"18", L"77"}};
  EXPECT_EQ(setters, expected) << "no setter 19 when the library does not support it";
  ExpectRemoteConfig(L"orbilant.exe", L"new_user_discount_6");
}

TEST_F(RemoteConfigHost, Type1TessikIdentity) {
  const Setters setters =
      RunSession(1, L"--tid1 41 --tid2 42 --tod1 43 --tod2 44 --iid 45 --tryno 8 --city 12 "
                    L"--uid 0123456789abcdef0123456789abcdef --idex fedcba9876543210fedcba987654321",
                 L"Tessik", L"tessik.exe");
  const Setters expected = {{L"6", L"0123456789abcdef0123456789abcdef"},
                            {L"7", L"0"},
                            {L"8", L"qmtessik"},
                            {L"9", L"com.rhond.qmtessik"},
                            {L"17", L"1"},
                            {L"10", L"8"},
                            {L"11", L"41"},
                            {L"12", L"42"},
                            {L"13", L"43"},
                            {L"14", L"44"},
                            {L"15", L"45"},
                            {L"16", L""},  // idex of 31 characters is refused
                            {L"18", L"12"},
                            {L"19", L"software\\vendra\\Antivirus\\vanta"}};
  EXPECT_EQ(setters, expected);
  ExpectRemoteConfig(L"tessik.exe", L"new_user_discount_8");
}
