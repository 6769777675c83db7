#include "simulate/SimInstallRun.h"

#include <algorithm>

#include "product/HostProfile.h"
#include "simulate/SimVipCentre.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopGateCatalog.h"
#include "strategy/PopImageChecker.h"
#include "ui/PopImageDownloader.h"
#include "ui/PopWorkerState.h"
#include "vanta/OfferFields.h"

namespace simulate {

using namespace vanta::offer;

namespace {

constexpr int64_t kDay = 86400;
constexpr uint64_t kOutcomeStream = 0x6A09E667F3BCC909ull;

int64_t FloorDiv(int64_t value, int64_t by) {
  return value / by - (value % by < 0 ? 1 : 0);
}

}  // namespace

SimInstallRun::SimInstallRun(const SimSettings& settings, SimWorld& world, SimTally& tally)
    : settings_(settings), world_(world), tally_(tally), reporter_(tally) {
  const std::wstring item = strategy::NewUserDiscountPopStrategy::ConfigKey(SimWorld::kTryNo);
  const DWORD periodMs =
      ui::PopWorkerState::PeriodMs(world.ConfigInt(item, kRefreshMinutes.name, kRefreshMinutes.defaultNumber));
  refreshMinutes_ = static_cast<int>(periodMs / 60000);
}

void SimInstallRun::Run(uint64_t index) {
  // Who the install is and when it runs come from one stream, what the services answer from
  // another: two items compared with one seed meet the same fleet on the same days.
  SimRandom random = SimRandom::ForInstall(settings_.seed, index);
  outcomes_ = SimRandom::ForInstall(settings_.seed ^ kOutcomeStream, index);
  const SimInstall install = SimInstall::Draw(settings_.population, random);
  if (install.FirstDay() >= settings_.days) return;  // installed after the run
  // Installed at the start of its local day, age days before the first simulated day; a time
  // before 1970 reads as none, as a missing value does.
  const int64_t installTime = settings_.firstMidnight - static_cast<int64_t>(install.ageDays) * kDay;
  world_.Begin(install, std::clamp<int64_t>(installTime, 0, UINT32_MAX));
  if (install.picturesInPlace) PlacePictures(false);
  shown_ = false;
  sessions_.clear();
  events_.clear();
  ++tally_.installs;
  for (int day = install.FirstDay(); day < settings_.days; ++day) RunDay(day, random);
  if (shown_) ++tally_.installsShown;
}

void SimInstallRun::RunDay(int day, SimRandom& random) {
  ++tally_.installDays;
  const int64_t midnight = settings_.firstMidnight + day * kDay;
  // The host's own login reminder, shown early in the day.
  if (random.Chance(settings_.population.otherPopToday)) {
    world_.SetLoginRemindPopTime(static_cast<long>(midnight + 60));
  }
  PlanSessions(midnight, random);
  // Events after this day wait for it: the next day's sessions may come before them.
  const int64_t dayEnd = midnight + kDay;
  size_t ran = 0;
  for (; ran < events_.size() && events_[ran].at < dayEnd; ++ran) {
    const Event& event = events_[ran];
    Session& session = sessions_[event.session];
    world_.SetNow(event.at);
    world_.UsePrice(&session.price);
    if (event.exit) {
      ExitScene(static_cast<int>((event.at - settings_.firstMidnight) / kDay));
    } else {
      Refresh(session);
    }
  }
  events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(ran));
}

void SimInstallRun::PlanSessions(int64_t midnight, SimRandom& random) {
  const SimPopulation& population = settings_.population;
  const int count = population.sessionsPerDay.Draw(random);
  for (int i = 0; i < count; ++i) {
    const int64_t start = midnight + population.launchHour.Draw(random) * 3600 + random.Between(0, 3599);
    const int64_t end = start + population.sessionMinutes.Draw(random) * 60;
    sessions_.push_back({start, end, {}, {}});
    const size_t index = sessions_.size() - 1;
    // The worker refreshes once at start, then once a period until the host exits.
    events_.push_back({start, index, false});
    for (int64_t at = start + refreshMinutes_ * 60; refreshMinutes_ > 0 && at < end; at += refreshMinutes_ * 60) {
      events_.push_back({at, index, false});
    }
    events_.push_back({end, index, true});
  }
  std::sort(events_.begin(), events_.end());
}

void SimInstallRun::Refresh(Session& session) {
  ++tally_.refreshChecks;
  if (!strategy::NewUserDiscountPopStrategy(world_, nullptr).IsNeedUpdateSource()) return;
  ++tally_.refreshes;
  if (product::HostProfile::Of(world_.install().hostType).HasPrice()) RefreshPrice(session);
  PlacePictures(true);
}

void SimInstallRun::RefreshPrice(Session& session) {
  const std::wstring item = strategy::NewUserDiscountPopStrategy::ConfigKey(SimWorld::kTryNo);
  const int months = world_.ConfigInt(item, kPackageMonths.name, kPackageMonths.defaultNumber);
  vipcenter::PayPriceInfo& price = session.payPrice;
  price.valid = SimVipCentre::QueryPrice(
                    world_, months, settings_.population.vipCentreSuccess, outcomes_,
                    [this](RequestKind kind) { Count(kind); }, price) == 0;
  session.price = {true, price.valid, price.payPrice, price.referencePrice, L"the last refresh"};
}

// As the pop-up's downloader: a picture whose file does not match its URL's MD5 is fetched.
void SimInstallRun::PlacePictures(bool download) {
  const std::wstring item = strategy::NewUserDiscountPopStrategy::ConfigKey(SimWorld::kTryNo);
  const auto files = strategy::PopImageChecker::Files(
      world_.ConfigString(item, kBackgroundUrl.name, L""), world_.ConfigString(item, kCloseUrl.name, L""),
      world_.ConfigString(item, kConfirmUrl.name, L""), world_.UtilFolder());
  for (const auto& [url, path] : files) {
    const auto state = ui::PopImageDownloader::StateOf(url, path, [this, &path] { return world_.FileMd5(path); });
    if (state != ui::PopImageDownloader::PictureState::kToFetch) continue;
    // A fetched file holds what its URL names.
    const std::wstring expected = strategy::PopImageChecker::ExpectedName(url);
    if (!download) {
      world_.PlaceFile(path, expected);
      continue;
    }
    Count(RequestKind::kPicture);
    if (outcomes_.Chance(settings_.population.pictureDownloadSuccess)) world_.PlaceFile(path, expected);
  }
}

void SimInstallRun::ExitScene(int day) {
  const strategy::PopDecision decision =
      strategy::NewUserDiscountPopStrategy(world_, &reporter_).Decide(SimSettings::kExitScene);
  ++tally_.exitScenes;
  if (decision.show) {
    ++tally_.shows;
    ++tally_.showsPerDay[static_cast<size_t>(day)];
    shown_ = true;
    if (!decision.qa) world_.WriteLastShowTime();
    return;
  }
  const auto& gates = strategy::PopGateCatalog::CanShowGates();
  if (decision.refusedBy) ++tally_.refusedAt[static_cast<size_t>(decision.refusedBy - gates.data())];
}

// In the slot of the UTC hour the request reaches the service in.
void SimInstallRun::Count(RequestKind kind) {
  const int64_t utc = world_.Now() - static_cast<int64_t>(world_.install().timeZoneHours) * 3600;
  tally_.CountRequest(kind, FloorDiv(utc - settings_.firstMidnight, 3600));
}

}  // namespace simulate
