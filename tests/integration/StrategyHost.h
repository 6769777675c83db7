#pragma once

// A host installed by the host fixture for the new-user discount strategy: the reporting
// stand-in of its type in place, the offer's configuration, images and local state written by
// the test, and the strategy run through the probe and the demo host's explainer.

#include <cstdint>
#include <string>
#include <vector>

#include "JournalReader.h"
#include "utils/UxJson.h"

namespace strategy_test {

struct ProbeResult {
  bool ran = false;
  bool canShow = false;
  std::vector<testing_support::JournalEntry> records;
  std::string log;  // what the strategy logged during the run
};

class StrategyHost {
 public:
  StrategyHost() = default;
  ~StrategyHost();
  StrategyHost(const StrategyHost&) = delete;
  StrategyHost& operator=(const StrategyHost&) = delete;

  // Installs the host, places the stand-ins and writes a state in which the offer may show.
  bool Install(int type);
  void WritePassingState();

  void WriteConfig(const std::string& itemFields, int group, bool withItem = true) const;
  void SetInstallTime(int64_t seconds) const;
  void SetLastShowTime(const std::string& value) const;
  void SetPdfPopTime(int64_t seconds) const;
  void SetVip(bool vip) const;
  void SpoilCloseImage() const;
  // The machine uuid the host was installed with.
  static constexpr const char* kMachineUuid = "ABCDEFABCDEFABCDEFABCDEFABCDEFAB";
  // The probe's pop-up got no price from its last refresh (it gets 79/89 otherwise).
  void WithoutPrice() { priced_ = false; }

  ProbeResult Probe(int scene) const;
  // The host's explainer as JSON; exitCode receives its exit code.
  bool Explain(int scene, UxJsonEx::Document& report, int& exitCode) const;

  int type() const { return type_; }
  // The remote configuration the host reads, as WriteConfig last wrote it.
  std::wstring RemoteConfigFile() const { return folder_ + L"zvanta.json"; }
  std::wstring Journal() const;

 private:
  std::wstring ImageUrl(const std::string& bytes) const;
  std::wstring HostExecutable() const;
  void RemoveLocalState() const;
  bool FirstOpenTime() const;  // the host records a first-open time instead of an install time

  int type_ = 0;
  std::wstring root_;
  std::wstring folder_;
  std::wstring localFolder_;
  std::string imageFields_;
  bool priced_ = true;
};

}  // namespace strategy_test
