// What a launch pays when the offer cannot show, and that the engine is ready when it can: the
// demo host counts GDI+ start-ups, fonts made and the module's threads before the exit scene.
#include <gtest/gtest.h>

#include <windows.h>

#include "PopupHost.h"
#include "utils/FileUtil.h"

namespace popup_test {
namespace {

// The demo host's footprint line at the exit scene, after the worker's first refresh.
std::string BeforeTheExitScene(const std::string& output) {
  const size_t at = output.find("footprint before the exit scene:");
  return at == std::string::npos ? std::string() : output.substr(at, output.find('\n', at) - at);
}

TEST(PopupLaziness, ShownBeforeStartsNoEngineAndLeavesNoThread) {
  PopupHost host(3);
  ASSERT_TRUE(host.Install({}));
  CreateDirectoryW(host.UtilFolder().c_str(), nullptr);
  ASSERT_TRUE(qm::FileUtil::WriteAll(host.ShowRecordFile(), "[new_user_discount]\r\nlast_show_time=1\r\n"));
  const HostRun run = host.Run(L"none", L"--probe-initialize --footprint");
  EXPECT_FALSE(run.shown) << run.output;
  const std::string line = BeforeTheExitScene(run.output);
  EXPECT_NE(line.find("module threads 0,"), std::string::npos) << run.output;
  EXPECT_NE(line.find("GDI+ startups 0, fonts made 0"), std::string::npos) << run.output;
}

TEST(PopupLaziness, EngineIsSetUpBeforeTheFirstShow) {
  PopupHost host(3);
  ASSERT_TRUE(host.Install({}));
  const HostRun run = host.Run(L"close", L"--probe-initialize --footprint");
  EXPECT_EQ(run.result, 2) << run.output;
  // Started once, by the worker when the pictures were in place, not by the exit scene.
  EXPECT_NE(BeforeTheExitScene(run.output).find("GDI+ startups 1,"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("GDI+ startups 2"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace popup_test
