#pragma once

// A host installed by the host fixture whose outside world can be made to fail: stand-ins
// missing, replaced or told how to fail through their behaviour files, the local VIP-centre service
// answering with a fault scenario, the module's state folder read-only or its state file corrupt.
// The demo host runs as the host executable with its UI-thread watchdog on.

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "JournalReader.h"
#include "VipCenterService.h"

namespace hardening_test {

struct FaultCampaign {
  int countDownHours = 2;
  int months = 12;
  std::wstring serviceScenario = L"demo";  // what the price and config interfaces answer
  std::wstring fileScenario;               // empty: the pictures come without a fault
};

struct FaultRun {
  int exitCode = -1;
  int result = -1;  // the pop-up's result, -1 when it did not show
  bool shown = false;
  std::string output;
  long long uninitializeMs = -1;
  long long stallMs = -1;      // the UI thread's longest wait outside the pop-up's loop
  long long loopStallMs = -1;  // inside the pop-up's own loop (measured, not held to a bound)
  long long exitSceneStallMs = -1;  // the exit scene outside the loop: the pop-up's creation and first frame
  long long otherStallMs = -1;      // Initialize, the wait for the refresh, Uninitialize, the host
  time_t started = 0;
  time_t ended = 0;

  // What every fault must leave intact, "" when all holds: the host ran to its end, Uninitialize
  // came back and the UI thread was never held beyond prescribedWaitMs (a wait the host's own
  // components make the module do on the UI thread: a VIP query that blocks, a service start waited
  // for) plus an allowance for a loaded machine.
  static constexpr long long kLoadedMachineAllowanceMs = 4000;
  std::string Problems(long long prescribedWaitMs = 0, long long allowanceMs = kLoadedMachineAllowanceMs) const;
};

class FaultHost {
 public:
  explicit FaultHost(int type) : type_(type) {}
  ~FaultHost();
  FaultHost(const FaultHost&) = delete;
  FaultHost& operator=(const FaultHost&) = delete;

  bool Install(const FaultCampaign& campaign, const std::wstring& extra = L"");
  FaultRun Run(const std::wstring& click, const std::wstring& more = L"") const;

  // A file of the installation folder (the host's stand-ins live there, beside the host).
  std::wstring Installed(const std::wstring& name) const { return folder_ + name; }
  // Every stand-in this host type loads or starts, as installed.
  std::vector<std::wstring> StandIns() const;
  bool Remove(const std::wstring& name) const;
  // Puts a built file of the test's folder in place of an installed stand-in.
  bool Replace(const std::wstring& name, const std::wstring& builtFile) const;
  bool WriteBehaviour(const std::wstring& component, const std::string& behaviour) const;
  // Host type 1: starts its VIP service the way the product keeps it running, and waits until the
  // service serves its channel. Stopped with the host.
  bool StartVipService();

  std::vector<testing_support::JournalEntry> Records() const;  // none for types 6 and 7
  std::wstring UtilFolder() const;
  std::wstring StateFile() const { return UtilFolder() + L"sdkutilcfg.ini"; }
  // True when the state file is byte for byte the one before the run, or a whole record the run
  // wrote: a "last_show_time" of the run's time under "[new_user_discount]".
  bool StateIsOldOrNew(const std::string& before, const FaultRun& run) const;
  bool LeftTemporaryFiles() const;  // a ".tmp" download left in the module's folder
  int type() const { return type_; }

 private:
  std::wstring PublishPicture(const std::string& field, int width, int height, unsigned colour,
                              const std::wstring& scenario) const;

  int type_;
  std::wstring tag_;
  std::wstring root_;
  std::wstring folder_;
  testing_support::VipCenterService service_;
  std::unique_ptr<testing_support::ChildProcess> vipService_;
};

}  // namespace hardening_test
