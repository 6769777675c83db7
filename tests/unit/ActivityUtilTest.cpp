#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ScopedLogLevel.h"
#include "TestFiles.h"
#include "activity/ActivityUtil.h"
#include "uxwin/UxEngine.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxString.h"
#include "uxwin/style/UxStyleRegistry.h"

using namespace PAGESDKUTIL;

#if defined(__i386__)
#define HOST_MEMBER_CALL __attribute__((thiscall))
#else
#define HOST_MEMBER_CALL
#endif

namespace {

struct CallLog {
  std::vector<std::string> calls;
};

class FakePop : public IPopDlg {
 public:
  FakePop(CallLog& log, std::string name, bool canShow, PopResult result)
      : log_(log), name_(std::move(name)), canShow_(canShow), result_(result) {}
  bool Initialize() override { return Record("Initialize"); }
  bool UnInitialize() override { return Record("UnInitialize"); }
  bool CanShow(ActivityScene scene) override {
    Record("CanShow(" + std::to_string(scene) + ")");
    return canShow_;
  }
  PopResult Show() override {
    Record("Show");
    return result_;
  }
  std::wstring GetName() override { return std::wstring(name_.begin(), name_.end()); }

 private:
  bool Record(const std::string& call) {
    log_.calls.push_back(name_ + "." + call);
    return true;
  }
  CallLog& log_;
  std::string name_;
  bool canShow_;
  PopResult result_;
};

struct FakePopSetup {
  std::string name;
  bool canShow;
  PopResult result;
};

PopFactory FactoryOf(CallLog& log, std::vector<FakePopSetup> setups) {
  return [&log, setups] {
    PopList pops;
    for (const auto& fake : setups) pops.push_back(std::make_shared<FakePop>(log, fake.name, fake.canShow, fake.result));
    return pops;
  };
}

std::string ProcessLog(size_t from = 0) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring name = self;
  name = name.substr(name.find_last_of(L'\\') + 1);
  const std::wstring stem = name.substr(0, name.find_last_of(L'.'));
  const std::string text =
      testing_support::ReadBytes(testing_support::ExecutableFolder() + L"log\\" + stem + L"." + name + L".log");
  return from < text.size() ? text.substr(from) : std::string();
}

}  // namespace

// Most launches never show the pop-up: Initialize leaves the engine to the first window (or to
// the worker, once the pictures are in place), which sets it up from the module's resources.
TEST(ActivityUtil, InitializeLeavesTheSkinEngineToTheFirstWindow) {
  ActivityUtil activity;
  activity.Initialize();
  EXPECT_EQ(UxSkinPool::Instance().GetSkin("count_down_bg_red"), nullptr);
  UxEngine::SetUpOnce();
  EXPECT_EQ(UxString::Instance().Get(1), L"\u5fae\u8f6f\u96c5\u9ed1");
  EXPECT_NE(UxSkinPool::Instance().GetSkin("count_down_bg_red"), nullptr);
  EXPECT_TRUE(UxStyleRegistry::Instance().Has("price"));
  activity.Uninitialize();
}

TEST(ActivityUtil, OutFlagIsFalseOnlyWhenTheOfferWasAccepted) {
  for (PopResult result : {1, 2, 3, 4}) {
    CallLog log;
    ActivityUtil activity(FactoryOf(log, {{"pop", true, result}}));
    activity.Initialize();
    bool flag = result == 1;  // the opposite of what must come out
    EXPECT_TRUE(activity.ShowExitSceneActivityDlg(2, &flag));
    EXPECT_EQ(flag, result != 1) << "result " << result;
  }
}

// A pop-up whose window could not be created (result 0) was never on screen: the host hears "not
// shown", keeps its out-flag, and the log says why.
TEST(ActivityUtil, PopUpWhoseWindowFailedIsNotReportedAsShown) {
  CallLog log;
  ActivityUtil activity(FactoryOf(log, {{"NewUserDiscountPopDlg", true, 0}}));
  activity.Initialize();
  const size_t before = ProcessLog().size();
  for (const bool kept : {false, true}) {
    bool flag = kept;
    EXPECT_FALSE(activity.ShowExitSceneActivityDlg(1, &flag));
    EXPECT_EQ(flag, kept);
  }
  EXPECT_NE(ProcessLog(before).find("ERROR|ActivityUtil.cpp"), std::string::npos) << ProcessLog(before);
  EXPECT_NE(ProcessLog(before).find("pop dlg NewUserDiscountPopDlg was not shown (ret 0"), std::string::npos)
      << ProcessLog(before);
}

TEST(ActivityUtil, FirstPopUpThatCanShowIsShownAndTheWalkStops) {
  CallLog log;
  ActivityUtil activity(FactoryOf(log, {{"first", false, 1}, {"second", true, 2}, {"third", true, 1}}));
  activity.Initialize();
  bool flag = false;
  EXPECT_TRUE(activity.ShowExitSceneActivityDlg(7, &flag));
  EXPECT_TRUE(flag);
  const std::vector<std::string> expected = {"first.Initialize", "second.Initialize", "third.Initialize",
                                             "first.CanShow(7)", "second.CanShow(7)", "second.Show"};
  EXPECT_EQ(log.calls, expected);
}

TEST(ActivityUtil, InitializeAndUninitializeReachEveryPopUpInOrder) {
  CallLog log;
  ActivityUtil activity(FactoryOf(log, {{"a", false, 0}, {"b", false, 0}}));
  EXPECT_TRUE(activity.Initialize());
  EXPECT_TRUE(activity.Uninitialize());
  EXPECT_EQ(activity.Pops().size(), 2u) << "the list is kept until destruction";
  EXPECT_EQ(log.calls, (std::vector<std::string>{"a.Initialize", "b.Initialize", "a.UnInitialize", "b.UnInitialize"}));
  // A second Initialize appends a second set and initialises all of them.
  log.calls.clear();
  activity.Initialize();
  EXPECT_EQ(activity.Pops().size(), 4u);
  EXPECT_EQ(log.calls.size(), 4u);
}

TEST(ActivityUtil, WritesItsDebugLinesWithThePopUpsNameAndResult) {
  CallLog log;
  ActivityUtil activity(FactoryOf(log, {{"NewUserDiscountPopDlg", true, 2}}));
  activity.Initialize();
  const size_t before = ProcessLog().size();
  bool flag = false;
  activity.ShowExitSceneActivityDlg(1, &flag);
  const std::string text = ProcessLog(before);
  const std::regex expected(
      R"(\[\d+ *\|[^|]+\|  DEBUG\|ActivityUtil\.cpp:\d+\] show exit scene activity dlg start\r\n)"
      R"(\[\d+ *\|[^|]+\|  DEBUG\|ActivityUtil\.cpp:\d+\] )"
      "show pop dlg is NewUserDiscountPopDlg, show pop dlg ret is 2\r\n");
  EXPECT_TRUE(std::regex_match(text, expected)) << "no finish line after a show:\n" << text;
}

TEST(ActivityUtil, HostCallsThroughTheSlotsReachTheRightOperations) {
  CallLog log;
  auto* activity = new ActivityUtil(FactoryOf(log, {{"pop", true, 1}}));
  IActivityUtil* host = activity;
  void** table = *reinterpret_cast<void***>(host);
  using QueryFn = int32_t(HOST_MEMBER_CALL*)(void*);
  using BoolFn = bool(HOST_MEMBER_CALL*)(void*);
  using ShowFn = bool(HOST_MEMBER_CALL*)(void*, int32_t, bool*);
  using ReleaseFn = void(HOST_MEMBER_CALL*)(void*);

  EXPECT_EQ(reinterpret_cast<QueryFn>(table[kSlotQueryConstant])(host), 1);
  EXPECT_TRUE(reinterpret_cast<BoolFn>(table[kSlotInitialize])(host));
  bool flag = true;
  EXPECT_TRUE(reinterpret_cast<ShowFn>(table[kSlotShowExitSceneActivityDlg])(host, 1, &flag));
  EXPECT_FALSE(flag);
  EXPECT_TRUE(reinterpret_cast<BoolFn>(table[kSlotUninitialize])(host));
  std::weak_ptr<IPopDlg> pop = activity->Pops().front();
  reinterpret_cast<ReleaseFn>(table[kSlotRelease])(host);
  EXPECT_TRUE(pop.expired()) << "releasing the controller frees its pop-ups";
}

TEST(ActivityUtil, ExceptionsNeverReachTheHost) {
  ActivityUtil throwing([]() -> PopList { throw std::bad_alloc(); });
  EXPECT_TRUE(throwing.Initialize());
  bool flag = true;
  EXPECT_FALSE(throwing.ShowExitSceneActivityDlg(1, &flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(throwing.Uninitialize());
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // DEBUG lines are written only with "LogLevel" 0; the logger reads it at the first statement.
  testing_support::ScopedLogLevel debugLines(0);
  return RUN_ALL_TESTS();
}
