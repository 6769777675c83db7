// The wrapper against the real zvanta stand-in copied into a module folder; the registry is faked.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FakeHostSystem.h"
#include "JournalReader.h"
#include "TestFiles.h"
#include "family/Vanta.h"
#include "vanta/ProductConfigs.h"
#include "vanta/ZVantaWarpper.h"

using testing_support::FakeHostSystem;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class VantaWarpperTest : public ::testing::Test {
 protected:
  VantaWarpperTest() { system.module = dir.File(L"pagesdkutil.dll"); }

  void PlaceLibrary(const std::string& json) {
    ASSERT_TRUE(CopyFileW((testing_support::ExecutableFolder() + L"zvanta.dll").c_str(), dir.File(L"zvanta.dll").c_str(),
                          FALSE));
    ASSERT_TRUE(WriteBytes(dir.File(L"zvanta.json"), json));
  }
  std::vector<std::pair<std::wstring, std::wstring>> Setters() {
    std::vector<std::pair<std::wstring, std::wstring>> setters;
    for (const auto& entry : testing_support::ReadJournal(dir.File(L"zvanta.journal.jsonl"), L"SetIdentity")) {
      setters.emplace_back(entry.at(L"slot"), entry.at(L"value"));
    }
    return setters;
  }

  TempDir dir;
  FakeHostSystem system;
};

const char kItems[] = R"({"supports_relative_reg_path": false,
  "items": {"text": {"pop_version": "1", "count": 1, "nested": {"a": "b"}},
            "array": "[1, 2]", "broken": "not json", "empty": ""},
  "groups": {"text": 2}, "params": {"p": "v"}, "switches": {"on": true}})";

}  // namespace

TEST_F(VantaWarpperTest, MissingLibraryAnswersDefaultsAndIsNotRetried) {
  vanta::ZVantaWarpper<vanta::ZWystanProductConfig> warpper(system);
  EXPECT_EQ(warpper.Initialize(), 0);
  PlaceLibrary(kItems);
  EXPECT_EQ(warpper.Initialize(), 1) << "a failed load is not retried";
  EXPECT_FALSE(warpper.IsLoaded());
  EXPECT_EQ(warpper.GetConfigInt(L"text", L"pop_version", 5), 5);
  EXPECT_EQ(warpper.GetABTestGroup(L"text", -1), -1);
  std::wstring text = L"untouched";
  EXPECT_FALSE(warpper.GetRawConfig(L"text", text));
  EXPECT_EQ(text, L"untouched");
  EXPECT_FALSE(warpper.GetABTestParam(L"p", L"fallback", text));
  EXPECT_EQ(text, L"fallback");
  EXPECT_FALSE(warpper.Update());
  // Uninitialize clears the flag: the next Initialize loads.
  EXPECT_EQ(warpper.Uninitialize(), 1);
  EXPECT_EQ(warpper.Initialize(), 1);
  EXPECT_TRUE(warpper.IsLoaded());
  EXPECT_EQ(warpper.GetConfigInt(L"text", L"pop_version", 5), 1);
}

TEST_F(VantaWarpperTest, ConfigFieldsAreStringMembersOfTheItemObject) {
  PlaceLibrary(kItems);
  vanta::ZVantaWarpper<vanta::ZWystanProductConfig> warpper(system);
  ASSERT_EQ(warpper.Initialize(), 1);
  std::wstring text;
  EXPECT_EQ(warpper.GetConfigString(text, L"text", L"pop_version", L"d"), L"1");
  EXPECT_EQ(warpper.GetConfigInt(L"text", L"pop_version", 5), 1);
  EXPECT_EQ(warpper.GetConfigInt(L"text", L"count", 5), 0) << "a JSON number reads as empty text";
  EXPECT_EQ(warpper.GetConfigString(text, L"text", L"nested", L"d"), L"");
  EXPECT_EQ(warpper.GetConfigString(text, L"text", L"missing", L"d"), L"d");
  EXPECT_EQ(warpper.GetConfigString(text, L"array", L"x", L"d"), L"d");
  EXPECT_EQ(warpper.GetConfigString(text, L"broken", L"x", L"d"), L"d");
  EXPECT_EQ(warpper.GetConfigString(text, L"empty", L"x", nullptr), L"");
  EXPECT_EQ(warpper.GetConfigInt(L"no such item", L"x", 7), 7);
  EXPECT_EQ(warpper.GetABTestGroup(L"text", -1), 2);
  EXPECT_TRUE(warpper.GetABTestParam(L"p", L"fallback", text));
  EXPECT_EQ(text, L"v");
  EXPECT_TRUE(warpper.GetSwitch(L"on", false));
  EXPECT_TRUE(warpper.GetSwitch(L"off", true));
  EXPECT_TRUE(warpper.IsMethodSupported(L"config", L"SetRelativeRegPath") == false);
  // Across the library boundary a component is known by the name it gives itself, never by a
  // run-time type the library's compiler does not provide.
  vanta::IBaseInterface* raw = warpper.GetComponent(L"raw");
  ASSERT_NE(raw, nullptr);
  EXPECT_STREQ(raw->Name(), L"raw");
  EXPECT_EQ(warpper.GetComponent(L"nothing"), nullptr);
}

TEST_F(VantaWarpperTest, WystanIdentityFollowsTheRegistryRules) {
  PlaceLibrary(R"({"supports_relative_reg_path": true})");
  const std::wstring a = vanta::identity_keys::kCategoryA;
  system.SetString(HKEY_CLASSES_ROOT, a, L"svrid", std::wstring(31, L'a'));  // not 32: refused
  system.SetString(HKEY_CLASSES_ROOT, a, L"uuid", L"0123456789abcdef0123456789abcdef");
  system.SetDword(HKEY_CURRENT_USER, L"SOFTWARE\\quillon", L"tid1", 4294967295u);
  system.SetString(HKEY_CURRENT_USER, L"SOFTWARE\\quillon", L"tid2", L"text-tid");
  const wchar_t unterminated[] = {L'7', L'7'};
  system.SetRaw(HKEY_CURRENT_USER, L"SOFTWARE\\quillon", L"tod1", REG_SZ, unterminated, sizeof(unterminated));
  system.SetRaw(HKEY_CURRENT_USER, L"SOFTWARE\\quillon", L"tod2", REG_BINARY, "\1\0\0\0", 4);
  vanta::ZVantaWarpper<vanta::ZWystanProductConfig> warpper(system);
  ASSERT_EQ(warpper.Initialize(), 1);
  const auto setters = Setters();
  ASSERT_EQ(setters.size(), 14u);
  EXPECT_EQ(setters[0], std::make_pair(std::wstring(L"6"), std::wstring(L"")));
  EXPECT_EQ(setters[5], std::make_pair(std::wstring(L"10"), std::wstring(L"0"))) << "no server list: 0";
  EXPECT_EQ(setters[6].second, L"4294967295");
  EXPECT_EQ(setters[7].second, L"text-tid");
  EXPECT_EQ(setters[8].second, L"") << "text without its terminator";
  EXPECT_EQ(setters[9].second, L"") << "binary data";
  EXPECT_EQ(setters[11].second, L"0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(setters[12], std::make_pair(std::wstring(L"18"), std::wstring(L"-1")));
  EXPECT_EQ(setters[13], std::make_pair(std::wstring(L"19"), std::wstring(L"software\\quillon\\vanta")));
}

TEST_F(VantaWarpperTest, LibraryThatDoesNotStartIsReleasedAndUnloaded) {
  PlaceLibrary(R"({"start": false})");
  vanta::ZVantaWarpper<vanta::ZTessikProductConfig> warpper(system);
  EXPECT_EQ(warpper.Initialize(), 0);
  EXPECT_FALSE(warpper.IsLoaded());
  EXPECT_EQ(testing_support::ReadJournal(dir.File(L"zvanta.journal.jsonl"), L"Release").size(), 1u);
  // Unloaded: the copy can be deleted.
  EXPECT_TRUE(DeleteFileW(dir.File(L"zvanta.dll").c_str()));
}

// The pop-up's worker may still be inside the library when Uninitialize comes (a stop gives up on
// it after a while): the library and its root stay until that read has returned, then they go.
TEST_F(VantaWarpperTest, AReadInsideTheLibraryKeepsItLoadedPastUninitialize) {
  PlaceLibrary(kItems);
  vanta::ZVantaWarpper<vanta::ZWystanProductConfig> warpper(system);
  ASSERT_EQ(warpper.Initialize(), 1);
  // The stand-in journals every call under this machine-wide mutex: held here, it keeps a read
  // waiting inside the library, while this thread (the owner) passes it.
  HANDLE journal = CreateMutexW(nullptr, FALSE, L"Local\\activity-sibling-journal");
  ASSERT_NE(journal, nullptr);
  ASSERT_EQ(WaitForSingleObject(journal, 10000), WAIT_OBJECT_0);
  std::atomic<int> read{-1};
  std::thread reader([&] { read = warpper.GetConfigInt(L"text", L"pop_version", 5); });
  Sleep(500);  // the reader is in the library by now
  EXPECT_EQ(warpper.Uninitialize(), 1);
  EXPECT_FALSE(warpper.IsLoaded());
  const bool loadedMeanwhile = GetModuleHandleW(dir.File(L"zvanta.dll").c_str()) != nullptr;
  ReleaseMutex(journal);
  reader.join();
  CloseHandle(journal);
  EXPECT_TRUE(loadedMeanwhile) << "unloaded under a read";
  EXPECT_EQ(read, 1);
  EXPECT_EQ(GetModuleHandleW(dir.File(L"zvanta.dll").c_str()), nullptr) << "the read's end lets the library go";
  const auto calls = testing_support::ReadJournal(dir.File(L"zvanta.journal.jsonl"));
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2].at(L"call"), L"GetRawConfig");
  EXPECT_EQ(calls.back().at(L"call"), L"Release");
}
