// Many sessions in one host process: Initialize, the exit scene with the pop-up shown and closed,
// Uninitialize, release; the show record is taken back through the state file between sessions.
// The process's handles, windows, GDI objects and private bytes must not grow with the sessions.
// HARDENING_CYCLES sets the number of sessions (default 30).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "CycleCurve.h"
#include "FaultHost.h"

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
  EXPECT_GE(uninitializeMs, 0) << run.output;  // how fast is scripts/bench.sh's to say
  if (flat) EXPECT_EQ(curve.Growth(), "") << curve.ToText();
  return run;
}

TEST(Cycles, CountsStayFlat) {
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  RunAndCheck(host, Cycles(), L"", true);
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

}  // namespace
}  // namespace hardening_test
