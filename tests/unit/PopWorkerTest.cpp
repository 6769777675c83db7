// The pop-up's worker body against services of the test's own: what it does once a stop has given
// up waiting for it, and the period between refreshes.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <climits>
#include <memory>
#include <thread>

#include "ui/IPopDlgServices.h"
#include "ui/PopWorkerState.h"

namespace {

using ui::PopWorkerState;

// Counts refreshes and reads; a refresh can be held until the test lets it go, as a request that
// ignores the stop would hold it.
class WorkerServices final : public ui::IPopDlgServices {
 public:
  WorkerServices()
      : entered_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        second_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~WorkerServices() override {
    for (HANDLE event : {entered_, second_, release_}) CloseHandle(event);
  }

  const product::HostProfile& Host() override { return product::HostProfile::Of(3); }
  std::wstring UtilFolder() override { return L"C:\\unused\\"; }
  int ConfigInt(const std::wstring& field, int defaultValue) override {
    if (configReleased) ++readsAfterRelease;
    return field == L"update_vanta_minutes" ? minutes.load() : defaultValue;
  }
  bool StrategyCanShow(int, const vipcenter::PayPriceInfo&) override { return false; }
  bool ImagesValid() override { return false; }
  void ReportPop(int, int, int) override {}
  void ReportPurchase(int) override {}
  int VipState() override { return 1; }
  bool IsLogin() override { return false; }
  bool OpenVipPage(int, int, int, const std::wstring&) override { return false; }
  int QueryPrice(int, vipcenter::PayPriceInfo&) override { return -1; }
  void RefreshResources(HANDLE, vipcenter::PayPriceInfo&) override {
    if (++refreshes == 2) SetEvent(second_);
    SetEvent(entered_);
    if (holdRefresh) WaitForSingleObject(release_, INFINITE);
  }

  bool WaitEntered() const { return WaitForSingleObject(entered_, 10000) == WAIT_OBJECT_0; }
  bool SecondRefreshWithin(DWORD milliseconds) const {
    return WaitForSingleObject(second_, milliseconds) == WAIT_OBJECT_0;
  }
  void Release() const { SetEvent(release_); }

  std::atomic<int> minutes{0};
  std::atomic<bool> holdRefresh{false};
  std::atomic<bool> configReleased{false};
  std::atomic<int> refreshes{0};
  std::atomic<int> readsAfterRelease{0};

 private:
  HANDLE entered_;
  HANDLE second_;
  HANDLE release_;
};

// UnInitialize gave up on a refresh stuck in a request, and Uninitialize went on to release the
// remote configuration: the worker, once out of the refresh, must not read it again.
TEST(PopWorker, AWorkerLeftInARefreshReadsNothingOnceStopped) {
  auto services = std::make_shared<WorkerServices>();
  services->minutes = 30;
  services->holdRefresh = true;
  auto state = std::make_shared<PopWorkerState>(services);
  std::thread worker([state] { PopWorkerState::Run(state); });
  ASSERT_TRUE(services->WaitEntered());
  state->RequestStop();
  services->configReleased = true;
  services->Release();
  worker.join();
  EXPECT_EQ(services->readsAfterRelease, 0);
  EXPECT_EQ(services->refreshes, 1);
}

TEST(PopWorker, APeriodBeyondTheLongestWaitIsHeldToIt) {
  EXPECT_EQ(PopWorkerState::PeriodMs(0), 0u);
  EXPECT_EQ(PopWorkerState::PeriodMs(-5), 0u);
  EXPECT_EQ(PopWorkerState::PeriodMs(30), 1800000u);
  EXPECT_EQ(PopWorkerState::PeriodMs(71582), 71582u * 60000u);
  EXPECT_EQ(PopWorkerState::PeriodMs(71583), INFINITE - 1);
  EXPECT_EQ(PopWorkerState::PeriodMs(INT_MAX), INFINITE - 1);

  // In 32-bit milliseconds this many minutes would come round to a period of 32 ms.
  auto services = std::make_shared<WorkerServices>();
  services->minutes = 106157275;
  auto state = std::make_shared<PopWorkerState>(services);
  std::thread worker([state] { PopWorkerState::Run(state); });
  ASSERT_TRUE(services->WaitEntered());
  EXPECT_FALSE(services->SecondRefreshWithin(1000)) << services->refreshes.load() << " refreshes";
  state->RequestStop();
  worker.join();
  EXPECT_EQ(services->refreshes, 1);
}

}  // namespace
