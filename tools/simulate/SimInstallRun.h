#pragma once

#include <vector>

#include "simulate/SimRecordCounter.h"
#include "simulate/SimSettings.h"
#include "simulate/SimTally.h"
#include "simulate/SimWorld.h"
#include "strategy/IPopStrategyWorld.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace simulate {

// One install over the simulated days. Each session is one host process: its worker refreshes
// at start and every "update_vanta_minutes" while it runs, and its exit scene asks the strategy
// at the end. The strategy, the refresh's check, the price requester and the picture rule are
// the module's own; only the world around them is simulated.
class SimInstallRun {
 public:
  SimInstallRun(const SimSettings& settings, SimWorld& world, SimTally& tally);

  void Run(uint64_t index);

 private:
  struct Session {
    int64_t start;
    int64_t end;
    vipcenter::PayPriceInfo payPrice;
    strategy::PriceReading price;
  };
  struct Event {
    int64_t at;
    size_t session;
    bool exit;
    bool operator<(const Event& other) const {
      return at != other.at ? at < other.at : session != other.session ? session < other.session : exit < other.exit;
    }
  };
  void RunDay(int day, SimRandom& random);
  // Adds the day's sessions and their events to those a session of an earlier day left.
  void PlanSessions(int64_t midnight, SimRandom& random);
  void Refresh(Session& session);
  void RefreshPrice(Session& session);
  // download: as a refresh does, counting each fetch; otherwise the files are simply there.
  void PlacePictures(bool download);
  void ExitScene(int day);
  void Count(RequestKind kind);

  const SimSettings& settings_;
  SimWorld& world_;
  SimTally& tally_;
  SimRecordCounter reporter_;
  int refreshMinutes_;
  bool shown_ = false;
  SimRandom outcomes_{0};
  std::vector<Session> sessions_;
  std::vector<Event> events_;  // not yet run, in time order
};

}  // namespace simulate
