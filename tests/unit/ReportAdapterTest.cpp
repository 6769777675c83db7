#include <gtest/gtest.h>

#include <windows.h>

#include "JournalReader.h"
#include "TestFiles.h"
#include "report/CPDFOBVipSdkTalloAdapter.h"
#include "report/CPDFTessikTalloAdapter.h"
#include "report/ReportSchemas.h"
#include "report/TalloAdapterHolder.h"
#include "report/TalloRecordSender.h"
#include "strategy/TalloPopReporter.h"
#include "vip/VipSdkLibrary.h"

using report::TalloField;
using report::TalloRecordSender;
using testing_support::ReadJournal;
using testing_support::TempDir;

namespace {

const wchar_t kPopFields[] = L"adshow:byte=0 adclick:byte=0 noshowreason:int=6 ver:byte=1 adtype:byte=1";

// A copy of a stand-in in a folder of its own, journaling there.
class StandInFolder {
 public:
  explicit StandInFolder(const wchar_t* library) {
    CopyFileW((testing_support::ExecutableFolder() + library).c_str(), (folder() + library).c_str(), FALSE);
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", dir_.path().c_str());
  }
  ~StandInFolder() { SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr); }
  std::wstring folder() const { return dir_.path() + L"\\"; }
  void FailSubmits(const wchar_t* file) const { testing_support::WriteBytes(folder() + file, "fail"); }
  std::vector<testing_support::JournalEntry> Journal(const wchar_t* component, const std::wstring& call = {}) const {
    return ReadJournal(folder() + component + L".journal.jsonl", call);
  }

 private:
  TempDir dir_;
};

report::TalloHostFacts TessikFacts(const std::wstring& folder) {
  report::TalloHostFacts facts;
  facts.hostType = 1;
  facts.clientFolders = {L"", L"C:\\no\\such\\folder\\", folder};
  return facts;
}

void SendPopRecord(report::IPDFTalloAdapter* adapter, int reason = 6) {
  TalloRecordSender::Send(adapter, report::kNewUserPopSchema,
                          {TalloField::Int(L"adshow", 0), TalloField::Int(L"adclick", 0),
                           TalloField::Int(L"noshowreason", reason), TalloField::Int(L"ver", 1),
                           TalloField::Int(L"adtype", 1)});
}

}  // namespace

TEST(ReportTessik, RecordGoesThroughSubmitWithFieldsInSchemaOrder) {
  StandInFolder standIn(L"tessiktallo.dll");
  {
    report::TalloAdapterHolder holder(TessikFacts(standIn.folder()));
    ASSERT_NE(holder.adapter(), nullptr);
    SendPopRecord(holder.adapter());
  }
  const auto records = standIn.Journal(L"tessiktallo", L"record");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].at(L"schema"), report::kNewUserPopSchema);
  EXPECT_EQ(records[0].at(L"fields"), kPopFields);
  EXPECT_EQ(records[0].at(L"via"), L"submit");
  EXPECT_EQ(standIn.Journal(L"tessiktallo").size(), 1u);
}

TEST(ReportTessik, PopReporterSendsTheNoShowRecordThroughTheHoldersPath) {
  StandInFolder standIn(L"tessiktallo.dll");
  const std::wstring folder = standIn.folder();
  strategy::TalloPopReporter reporter([folder] { return std::make_unique<report::TalloAdapterHolder>(TessikFacts(folder)); });
  reporter.ReportNoShow(9);
  const auto records = standIn.Journal(L"tessiktallo", L"record");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].at(L"fields"), L"adshow:byte=0 adclick:byte=0 noshowreason:int=9 ver:byte=1 adtype:byte=1");
}

TEST(ReportTessik, EmptySchemaFailsBeginWithoutReachingTheClient) {
  StandInFolder standIn(L"tessiktallo.dll");
  report::CPDFTessikTalloAdapter adapter(std::make_unique<report::ZTalloNoZfmtFileWrap>(
      std::vector<std::wstring>{standIn.folder()}));
  ASSERT_TRUE(adapter.HasClient());
  EXPECT_FALSE(adapter.Begin(L""));
  EXPECT_FALSE(adapter.Begin(nullptr));
  EXPECT_TRUE(standIn.Journal(L"tessiktallo", L"begin_refused").empty());
  EXPECT_FALSE(adapter.SetInt(nullptr, 1));
  EXPECT_FALSE(adapter.Begin(L"no_id_table adshow:byte"));  // the client refuses a malformed schema
  EXPECT_EQ(standIn.Journal(L"tessiktallo", L"begin_refused").size(), 1u);
}

TEST(ReportTessik, FailedSubmitIsFollowedByExactlyOneFallbackOfZero) {
  StandInFolder standIn(L"tessiktallo.dll");
  standIn.FailSubmits(L"tessiktallo.fail");
  {
    report::TalloAdapterHolder holder(TessikFacts(standIn.folder()));
    SendPopRecord(holder.adapter());
  }
  const auto journal = standIn.Journal(L"tessiktallo");
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[0].at(L"call"), L"submit_failed");
  EXPECT_EQ(journal[1].at(L"call"), L"record");
  EXPECT_EQ(journal[1].at(L"via"), L"fallback");
  EXPECT_EQ(journal[1].at(L"fallback_mode"), L"0");
  EXPECT_EQ(journal[1].at(L"fields"), kPopFields);
}

TEST(ReportTessik, MissingLibraryMakesEveryOperationFail) {
  TempDir empty;
  report::TalloAdapterHolder holder(TessikFacts(empty.path() + L"\\"));
  ASSERT_NE(holder.adapter(), nullptr);
  EXPECT_FALSE(holder.adapter()->Begin(report::kNewUserPopSchema));
  EXPECT_FALSE(holder.adapter()->SetInt(L"adshow", 0));
  EXPECT_FALSE(holder.adapter()->SetString(L"a", nullptr));
  EXPECT_FALSE(holder.adapter()->Submit());
  EXPECT_FALSE(holder.adapter()->SubmitFallback(0));
  EXPECT_FALSE(TalloRecordSender::Send(holder.adapter(), report::kNewUserPopSchema, {}));
}

TEST(ReportHolder, HostTypesWithoutReportingPathDropRecordsSilently) {
  for (int type : {6, 7, 0, 8}) {
    report::TalloHostFacts facts;
    facts.hostType = type;
    facts.vipRoot = []() -> vip_sdk::IBaseInterface* { ADD_FAILURE() << "no SDK for this host"; return nullptr; };
    report::TalloAdapterHolder holder(facts);
    EXPECT_EQ(holder.adapter(), nullptr) << type;
    EXPECT_FALSE(TalloRecordSender::Send(holder.adapter(), report::kNewUserPopSchema, {TalloField::Int(L"adshow", 0)}));
    EXPECT_EQ(holder.ProductId(), type);
  }
}

TEST(ReportHolder, ProductIdComesFromTheHostConfiguration) {
  TempDir dir;
  testing_support::WriteBytes(dir.File(L"pdfconstcfg.dat"), "[common]\r\nproduct_id=42\r\n");
  report::TalloHostFacts facts;
  facts.hostType = 6;
  facts.configFile = dir.File(L"pdfconstcfg.dat");
  EXPECT_EQ(report::TalloAdapterHolder(facts).ProductId(), 42);
}

// The purchase record's product id follows the host's own defaults, not the bare host type.
TEST(ReportHolder, PurchaseProductIdFollowsTheHostRule) {
  TempDir dir;
  const std::wstring plain = dir.File(L"plain.svr");
  const std::wstring variant = dir.File(L"variant.svr");
  testing_support::WriteBytes(plain, "[common]\r\nEdition=4\r\n");
  testing_support::WriteBytes(variant, "[common]\r\nproduct_id=13\r\nis_ab_product=1\r\n");
  struct Case {
    int type;
    const std::wstring* file;
    bool present;
    int expected;
  } const cases[] = {{3, &plain, true, 13},     {3, &plain, false, 111},   {4, &plain, true, 20},
                     {5, &plain, false, 20},    {2, &plain, true, 2},      {4, &variant, true, 103},
                     {5, &variant, false, 111}, {3, &variant, true, 13}};  // type 3 never reads the flag
  for (const Case& c : cases) {
    report::TalloHostFacts facts;
    facts.hostType = c.type;
    facts.configFile = *c.file;
    facts.hostApplicationPresent = c.present;
    facts.vipRoot = []() -> vip_sdk::IBaseInterface* { return nullptr; };
    EXPECT_EQ(report::TalloAdapterHolder(facts).ProductId(), c.expected)
        << c.type << (c.file == &variant ? " variant" : "") << (c.present ? "" : " without application");
  }
}

namespace {

// The VIP SDK reporting stand-in, loaded by path for one case.
class VipTalloLibrary {
 public:
  VipTalloLibrary() : standIn_(L"vipsdktallo.dll"), library_(standIn_.folder() + L"vipsdktallo.dll", true) {}
  vip_sdk::IBaseInterface* root() const { return library_.root(); }
  const StandInFolder& standIn() const { return standIn_; }

 private:
  StandInFolder standIn_;
  vip::VipSdkLibrary library_;
};

}  // namespace

TEST(ReportVipSdk, ProductLineChoosesTheInterfaceAndRecordsReachTheRoot) {
  VipTalloLibrary library;
  ASSERT_NE(library.root(), nullptr);
  for (int line : {1, 2}) {
    report::CPDFOBVipSdkTalloAdapter adapter(library.root(), line);
    ASSERT_TRUE(adapter.HasInterface());
    SendPopRecord(&adapter);
    EXPECT_TRUE(adapter.Begin(report::kVipPopSchema));
    EXPECT_TRUE(adapter.SetIntEx(L"product_id", 13, 99));
    EXPECT_FALSE(adapter.SetInt(nullptr, 1));
    EXPECT_FALSE(adapter.SetString(L"ver", nullptr));  // an int field; a null text is sent as ""
  }  // the second record of each adapter is pending: destruction submits it
  const auto asked = library.standIn().Journal(L"vipsdktallo", L"QueryInterface");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].at(L"name"), L"vip_sdk_tallo_interface");
  EXPECT_EQ(asked[1].at(L"name"), L"tessik_vip_sdk_tallo_interface");
  const auto records = library.standIn().Journal(L"vipsdktallo", L"record");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].at(L"fields"), kPopFields);
  EXPECT_EQ(records[0].at(L"interface"), L"vip_sdk_tallo_interface");
  EXPECT_EQ(records[1].at(L"schema"), report::kVipPopSchema);
  EXPECT_EQ(records[1].at(L"fields").substr(0, 20), L"product_id:int=13 ve");
  EXPECT_EQ(records[2].at(L"interface"), L"tessik_vip_sdk_tallo_interface");
}

TEST(ReportVipSdk, FailedSubmitIsFollowedByOneFallbackThatFindsNoRecord) {
  VipTalloLibrary library;
  library.standIn().FailSubmits(L"vipsdktallo.fail");
  {
    report::CPDFOBVipSdkTalloAdapter adapter(library.root(), 1);
    SendPopRecord(&adapter);
    EXPECT_FALSE(adapter.SubmitFallback(0));  // the handle is gone after the failed submit
  }
  EXPECT_EQ(library.standIn().Journal(L"vipsdktallo", L"submit_failed").size(), 1u);
  EXPECT_TRUE(library.standIn().Journal(L"vipsdktallo", L"record").empty());
}

namespace {

// A root whose answer for the reporting name is an object of another type.
class WrongTypeRoot final : public vip_sdk::IBaseInterface {
 public:
  void* __stdcall DeletingDestructor(unsigned int) override { return this; }
  const char* __stdcall InterfaceName() override { return "wrong"; }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char*) override { return this; }
};

}  // namespace

TEST(ReportVipSdk, NoRootOrAnObjectOfAnotherTypeLeavesNoInterface) {
  WrongTypeRoot wrong;
  for (vip_sdk::IBaseInterface* root : {static_cast<vip_sdk::IBaseInterface*>(nullptr),
                                        static_cast<vip_sdk::IBaseInterface*>(&wrong)}) {
    report::CPDFOBVipSdkTalloAdapter adapter(root, 1);
    EXPECT_FALSE(adapter.HasInterface());
    EXPECT_FALSE(adapter.Begin(report::kNewUserPopSchema));
    EXPECT_FALSE(adapter.SetInt(L"adshow", 0));
    EXPECT_FALSE(adapter.SetIntEx(L"adshow", 0, 0));
    EXPECT_FALSE(adapter.SetString(L"adshow", L""));
    EXPECT_FALSE(adapter.Submit());
    EXPECT_FALSE(adapter.SubmitFallback(0));
  }
  report::TalloHostFacts facts;
  facts.hostType = 3;
  facts.vipRoot = [&wrong]() -> vip_sdk::IBaseInterface* { return &wrong; };
  report::TalloAdapterHolder holder(facts);
  ASSERT_NE(holder.adapter(), nullptr);
  EXPECT_FALSE(TalloRecordSender::Send(holder.adapter(), report::kNewUserPopSchema, {}));
}
