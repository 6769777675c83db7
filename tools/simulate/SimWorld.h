#pragma once

#include <map>
#include <string>
#include <unordered_map>

#include "lint/ItemVantaWarpper.h"
#include "simulate/SimInstall.h"
#include "strategy/IPopStrategyWorld.h"

namespace simulate {

// One simulated install as the strategy sees it: the item read as the module reads it, the
// install's channel ids, group and VIP state, a clock that the simulation moves, and the state
// and picture files kept in memory, written as the pop-up and the refresh write them.
//
// The clock is the install's local time written as if it were UTC (the simulator runs with its
// process time zone at UTC), so the module's calendar checks see the install's own days.
class SimWorld final : public strategy::IPopStrategyWorld {
 public:
  explicit SimWorld(const std::wstring& itemText);

  // Starts over with a fresh install: no state file, no pictures, no price.
  void Begin(const SimInstall& install, int64_t installTime);
  void SetNow(int64_t seconds) { now_ = seconds; }
  // The price the refresh got in the process that is asking (each session is one process).
  void UsePrice(const strategy::PriceReading* price) { price_ = price; }
  // The host's login reminder showed at this time.
  void SetLoginRemindPopTime(long seconds) { loginRemind_ = seconds; }
  // The pop-up showed now: "last_show_time" as it writes it.
  void WriteLastShowTime();
  // A download put a file whose content has this MD5 at path.
  void PlaceFile(const std::wstring& path, const std::wstring& md5) { files_[path] = md5; }
  const SimInstall& install() const { return install_; }

  int TryNo() override { return kTryNo; }
  std::wstring RawConfig(const std::wstring& item) override;
  std::wstring ConfigString(const std::wstring& item, const std::wstring& field, const wchar_t* defaultText) override;
  int ConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) override;
  int AbGroup(const std::wstring&, int) override { return install_.abGroup; }
  strategy::InstallTimeReading InstallTime() override { return {installTime_, L"simulated"}; }
  int64_t Now() override { return now_; }
  std::wstring UtilFolder() override { return L"sim\\local\\pagesdkutil\\"; }
  std::wstring LocalConfigFolder() override { return L"sim\\local\\"; }
  int Tid1() override { return install_.tid1; }
  int Tid2() override { return install_.tid2; }
  int VipState() override { return install_.vipState; }
  strategy::PriceReading Price() override;
  std::wstring LastShowTimeText(const std::wstring&) override { return lastShowTime_; }
  bool ShownInProcess(const std::wstring&) override { return false; }  // every record lands
  long LoginRemindPopTime(const std::wstring&) override { return loginRemind_; }
  long PdfPopTime(const std::wstring&) override { return 0; }
  std::wstring QaUuidsText(const std::wstring&) override;
  std::wstring FileMd5(const std::wstring& path) override;

  static constexpr int kTryNo = 5;

 private:
  std::wstring itemKey_;
  std::wstring itemText_;
  campaign::ItemVantaWarpper reader_;
  // Answers by field and default: each is parsed from the item once per thread.
  std::unordered_map<std::wstring, std::wstring> strings_;
  std::unordered_map<std::wstring, int> numbers_;
  SimInstall install_;
  uint32_t installTime_ = 0;
  int64_t now_ = 0;
  long loginRemind_ = 0;
  std::wstring lastShowTime_;
  std::map<std::wstring, std::wstring> files_;
  const strategy::PriceReading* price_ = nullptr;
};

}  // namespace simulate
