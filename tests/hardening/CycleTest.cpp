// Many sessions in one host process: Initialize, the exit scene with the pop-up shown (its
// accessible tree asked for) and closed, Uninitialize, release; the show record is taken back
// through the state file between sessions. The process's handles, windows, GDI objects and private bytes must not grow with the sessions.
// HARDENING_CYCLES sets the number of sessions (default 30).
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <thread>

#include "CycleCurve.h"
#include "FaultHost.h"
#include "TestFiles.h"

namespace hardening_test {
namespace {

int Cycles() {
  const char* text = std::getenv("HARDENING_CYCLES");
  const int cycles = text ? std::atoi(text) : 0;
  return cycles > 0 ? cycles : 30;
}

// Runs the sessions, prints the curve and checks what every run must hold; with flat, also that no
// count grows.
FaultRun RunAndCheck(FaultHost& host, int cycles, const std::wstring& more, bool flat) {
  const FaultRun run = host.Run(L"close", L"--click-after 100 --cycles " + std::to_wstring(cycles) +
                                              L" --forget-show \"" + host.StateFile() + L"\" " + more);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  const std::string all = "demo: cycles: " + std::to_string(cycles) + " of " + std::to_string(cycles) + " shown";
  EXPECT_NE(run.output.find(all), std::string::npos) << run.output;
  const size_t sources = run.output.find("demo: counts from ");
  if (sources == std::string::npos) {
    ADD_FAILURE() << run.output;
    return run;
  }
  const CycleCurve curve(run.output);
  std::printf("%s%s", run.output.substr(sources, run.output.find('\n', sources) - sources + 1).c_str(),
              curve.ToText().c_str());
  const size_t longest = run.output.find("longest Uninitialize ");
  const long long uninitializeMs = longest == std::string::npos ? -1 : std::atoll(run.output.c_str() + longest + 21);
  std::printf("longest Uninitialize, UI stall outside / inside the pop-up's loop: %lld, %lld, %lld ms\n",
              uninitializeMs, run.stallMs, run.loopStallMs);
  // Every session's Uninitialize came back (how fast is scripts/bench.sh's to say).
  EXPECT_NE(longest, std::string::npos) << run.output;
  if (flat) EXPECT_EQ(curve.Growth(), "") << curve.ToText();
  return run;
}

// A screen reader asks for the pop-up's accessible tree in every session.
TEST(Cycles, CountsStayFlat) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  const FaultRun run = RunAndCheck(host, Cycles(), L"--accessibility", true);
  EXPECT_NE(run.output.find("demo: accessibility: dialog "), std::string::npos) << run.output;
}

// A host that frees the module after each session and loads it again, at another address each
// time: the pop-up shows every time (its window class is named by the load's own window procedure)
// and the unloads give the fonts back. The process-wide singletons (the logger's file and mutex,
// the VIP facade's lock, their sync objects) are made once per load and never torn down: a reload
// leaves 8 handles and some 300 KiB, held here to that so that it gets no worse.
TEST(Cycles, ReloadedModuleShowsEveryTime) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  const FaultRun run = RunAndCheck(host, 20, L"--reload", false);
  const size_t reloaded = run.output.find("demo: module reloaded: ");
  ASSERT_NE(reloaded, std::string::npos) << run.output;
  const std::string addresses = run.output.substr(reloaded + 23, run.output.find('\n', reloaded) - reloaded - 23);
  const size_t arrow = addresses.find(" -> ");
  ASSERT_NE(arrow, std::string::npos) << addresses;
  EXPECT_NE(addresses.substr(0, arrow), addresses.substr(arrow + 4)) << "the new load landed where the old one was";
  const CycleCurve curve(run.output);
  ASSERT_GE(curve.samples().size(), 3u) << run.output;
  const CycleSample& first = curve.samples()[1];
  const CycleSample& last = curve.samples().back();
  const long long reloads = last.cycle - first.cycle;
  EXPECT_LE(last.gdi, first.gdi + 4) << curve.ToText();
  EXPECT_LE(last.windows, first.windows + 1) << curve.ToText();
  EXPECT_LE(last.handles - first.handles, 8 * reloads + 4) << curve.ToText();
  EXPECT_LE(last.committedKiB - first.committedKiB, 400 * reloads) << curve.ToText();
}

// Replaces the VIP service's state file every few hundred milliseconds with one of two logged-in
// users who are not VIPs, so that the service keeps telling its listeners of account changes.
class AccountChanges {
 public:
  explicit AccountChanges(std::wstring stateFile) : stateFile_(std::move(stateFile)) {
    thread_ = std::thread([this] { Loop(); });
  }
  ~AccountChanges() {
    stop_ = true;
    thread_.join();
  }
  AccountChanges(const AccountChanges&) = delete;
  AccountChanges& operator=(const AccountChanges&) = delete;

 private:
  void Loop() {
    for (int change = 0; !stop_; ++change) {
      const std::string user = change % 2 ? "7" : "9";
      const std::wstring staged = stateFile_ + L".new";
      testing_support::WriteBytes(staged, R"({"open_id": "open-)" + user + R"(", "token": "tok-)" + user +
                                              R"(", "nick_name": "N", "is_logout": 0, "vip_type": 0})");
      MoveFileExW(staged.c_str(), stateFile_.c_str(), MOVEFILE_REPLACE_EXISTING);
      Sleep(300);
    }
  }

  std::wstring stateFile_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Host type 1 frees the module after each session while its VIP service goes on telling the
// channels it was given of account changes: the IPC library and the service outlive the module, so
// each load takes its channel back at Uninitialize, and the host lives through every change.
TEST(IpcReload, AccountChangesAfterTheModuleWasFreedReachOnlyTheLoadedOne) {
  FaultHost host(1);
  ASSERT_TRUE(host.Install({}));
  ASSERT_TRUE(host.StartVipService());
  FaultRun run;
  {
    AccountChanges changes(host.Installed(L"vip.state.json"));
    run = RunAndCheck(host, 3, L"--reload", false);
  }
  ASSERT_NE(run.output.find("demo: module reloaded: "), std::string::npos) << run.output;
  std::set<std::wstring> given;
  std::set<std::wstring> taken;
  for (const auto& entry : testing_support::ReadJournal(host.Installed(L"vipservice.journal.jsonl"), L"RegistIpcNotify")) {
    (entry.at(L"is_regist") == L"1" ? given : taken).insert(entry.at(L"notify_ipc"));
  }
  EXPECT_EQ(given.size(), 3u) << "one channel a load";
  EXPECT_EQ(taken, given);
  const auto told = testing_support::ReadJournal(host.Installed(L"vipservice.journal.jsonl"), L"notify");
  EXPECT_GE(told.size(), 3u) << "the service told of no change while the host ran";
}

}  // namespace
}  // namespace hardening_test
