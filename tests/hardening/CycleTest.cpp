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

TEST(Cycles, CountsStayFlat) {
  const int cycles = Cycles();
  FaultHost host(3);
  ASSERT_TRUE(host.Install({}));
  const FaultRun run = host.Run(L"close", L"--click-after 100 --cycles " + std::to_wstring(cycles) +
                                              L" --forget-show \"" + host.StateFile() + L"\"");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string all = "demo: cycles: " + std::to_string(cycles) + " of " + std::to_string(cycles) + " shown";
  EXPECT_NE(run.output.find(all), std::string::npos) << run.output;
  const size_t sources = run.output.find("demo: counts from ");
  ASSERT_NE(sources, std::string::npos) << run.output;
  const CycleCurve curve(run.output);
  std::printf("%s%s", run.output.substr(sources, run.output.find('\n', sources) - sources + 1).c_str(),
              curve.ToText().c_str());
  const size_t longest = run.output.find("longest Uninitialize ");
  ASSERT_NE(longest, std::string::npos) << run.output;
  const long long uninitializeMs = std::atoll(run.output.c_str() + longest + 21);
  std::printf("longest Uninitialize, UI stall outside / inside the pop-up's loop: %lld, %lld, %lld ms\n",
              uninitializeMs, run.stallMs, run.loopStallMs);
  EXPECT_LT(uninitializeMs, 1000);
  EXPECT_EQ(curve.Growth(), "") << curve.ToText();
  EXPECT_LE(run.stallMs, 100) << run.output;
}

}  // namespace
}  // namespace hardening_test
