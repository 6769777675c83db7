// The VIP facade: adapters by host type, re-creation when the Wystan VIP product id changes,
// release, the reader/writer lock, and concurrent calls while the id changes.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "vip/AdapterAccessLock.h"
#include "vip/CPDFVipSdkAdapter.h"

using vip::AdapterAccessLock;
using vip::CPDFVipSdkAdapter;
using vip::IPDFVipSdkAdapter;
using vip::IPDFVipUserInfoListener;
using vip::VipUserInfo;

namespace {

struct Census {
  std::atomic<int> created{0};
  std::atomic<int> alive{0};
  std::atomic<int> callsOnDead{0};
};

// Answers as a logged-in VIP; counts itself and notices a call after its destruction.
class FakeAdapter final : public IPDFVipSdkAdapter {
 public:
  FakeAdapter(int id, Census& census) : id_(id), census_(census) {
    ++census_.created;
    ++census_.alive;
  }
  ~FakeAdapter() override {
    magic_ = 0;
    --census_.alive;
  }
  int GetVipState() override { return Check(3); }
  VipUserInfo GetUserInfo() override {
    VipUserInfo info;
    FillUserInfo(info);
    return info;
  }
  bool FillUserInfo(VipUserInfo& info) override {
    info.open_id = L"open-" + std::to_wstring(id_);
    info.token = L"token-" + std::to_wstring(id_);
    return Check(true);
  }
  bool IsVip() override { return Check(true); }
  bool IsLogin() override { return Check(true); }
  bool IsTourist() override { return Check(false); }
  void SetOpenContext(int context) override { context_ = context; }
  bool OpenVipPage(int type, int, int) override { return Check(type == 2); }
  void AddUserInfoListener(IPDFVipUserInfoListener* listener) override {
    std::lock_guard<std::mutex> hold(lock_);
    listeners_.insert(listener);
  }
  void RemoveUserInfoListener(IPDFVipUserInfoListener* listener) override {
    std::lock_guard<std::mutex> hold(lock_);
    listeners_.erase(listener);
  }
  bool ReadVipExpiryList(vip::VipExpiryList&) override { return Check(true); }
  int GetVipProductId() override { return Check(id_); }

  std::set<IPDFVipUserInfoListener*> listeners() {
    std::lock_guard<std::mutex> hold(lock_);
    return listeners_;
  }
  int context() const { return context_; }

 private:
  template <class T>
  T Check(T answer) {
    if (magic_ != kMagic) ++census_.callsOnDead;
    return answer;
  }
  static constexpr int kMagic = 0x5eed;
  volatile int magic_ = kMagic;
  int id_;
  int context_ = 0;
  Census& census_;
  std::mutex lock_;
  std::set<IPDFVipUserInfoListener*> listeners_;
};

class FakeFactory final : public vip::IVipAdapterFactory {
 public:
  FakeFactory(int hostType, Census& census) : hostType_(hostType), census_(census) {}
  int HostType() override { return hostType_; }
  int CurrentVipProductId() override { return id; }
  std::unique_ptr<IPDFVipSdkAdapter> Create(int hostType, int vipProductId) override {
    if (hostType < 2 || hostType > 5) return nullptr;
    auto adapter = std::make_unique<FakeAdapter>(vipProductId, census_);
    last = adapter.get();
    return adapter;
  }
  std::atomic<int> id{13};
  std::atomic<FakeAdapter*> last{nullptr};

 private:
  int hostType_;
  Census& census_;
};

// The Tessik host's factory, slow as a VIP service that takes its time: counts the threads it ran on.
class SlowTessikFactory final : public vip::IVipAdapterFactory {
 public:
  int HostType() override { return 1; }
  int CurrentVipProductId() override { return 0; }
  std::unique_ptr<IPDFVipSdkAdapter> Create(int, int vipProductId) override {
    creator = GetCurrentThreadId();
    Sleep(150);
    return std::make_unique<FakeAdapter>(vipProductId, census);
  }
  Census census;
  std::atomic<DWORD> creator{0};
};

class NullListener final : public IPDFVipUserInfoListener {
 public:
  void OnVipUserInfoChanged(const VipUserInfo&) override {}
};

struct Facade {
  explicit Facade(int hostType)
      : factory(new FakeFactory(hostType, census)), facade(std::unique_ptr<FakeFactory>(factory)) {}
  Census census;
  FakeFactory* factory;
  CPDFVipSdkAdapter facade;
};

}  // namespace

TEST(VipFacade, HostTypesWithoutAdapterAnswerNeutrally) {
  for (int type : {0, 1, 6, 7, 8, -3}) {
    Facade f(type);
    f.facade.Initialize();
    EXPECT_EQ(f.facade.GetVipState(), 1) << type;
    EXPECT_FALSE(f.facade.IsLogin());
    EXPECT_FALSE(f.facade.IsVip());
    EXPECT_FALSE(f.facade.OpenVipPage(2, 6411, 0));
    EXPECT_FALSE(f.facade.OpenVipPageWithQuery(2, 6411, 0, L"q"));
    EXPECT_EQ(f.facade.GetUserInfo(), VipUserInfo{});
    EXPECT_EQ(f.facade.GetVipProductId(), 0);
    EXPECT_EQ(f.facade.OpenId(), L"");
    EXPECT_EQ(f.facade.Token(), L"");
    EXPECT_EQ(f.census.created, 0);
  }
}

TEST(VipFacade, BeforeInitializeNothingIsCreated) {
  Facade f(3);
  EXPECT_EQ(f.facade.GetVipState(), 1);
  EXPECT_EQ(f.census.created, 0);
}

TEST(VipFacade, InitializeOnceForwardAndRelease) {
  Facade f(4);
  f.facade.Initialize();
  f.facade.Initialize();
  EXPECT_EQ(f.census.created, 1);
  EXPECT_EQ(f.facade.GetVipState(), 3);
  EXPECT_TRUE(f.facade.OpenVipPage(2, 6411, 0));
  EXPECT_TRUE(f.facade.OpenVipPageWithQuery(2, 6411, 0, L"")) << "the interface's own default";
  EXPECT_EQ(f.facade.OpenId(), L"open-13");
  EXPECT_EQ(f.facade.Token(), L"token-13");
  f.facade.SetOpenContext(9);
  EXPECT_EQ(f.factory->last.load()->context(), 9);
  f.facade.ReleaseAdapter();
  EXPECT_FALSE(f.facade.initialized());
  EXPECT_EQ(f.census.alive, 0);
  EXPECT_EQ(f.facade.GetVipState(), 1);
  f.facade.Initialize();
  EXPECT_EQ(f.census.created, 2) << "a later Initialize creates it again";
}

TEST(VipFacade, OnlyTheWystanHostFollowsTheProductId) {
  Facade f(4);
  f.facade.Initialize();
  f.factory->id = 21;
  EXPECT_EQ(f.facade.GetVipProductId(), 13);
  EXPECT_EQ(f.census.created, 1);
}

TEST(VipFacade, ChangedWystanProductIdRecreatesTheAdapterWithEveryListener) {
  Facade f(3);
  NullListener first;
  NullListener second;
  f.facade.AddUserInfoListener(&first);  // before Initialize: applied at creation
  f.facade.Initialize();
  f.facade.AddUserInfoListener(&second);
  f.facade.AddUserInfoListener(nullptr);
  EXPECT_EQ(f.facade.GetVipProductId(), 13);
  FakeAdapter* old = f.factory->last;
  EXPECT_EQ(old->listeners(), (std::set<IPDFVipUserInfoListener*>{&first, &second}));
  f.factory->id = 111;
  EXPECT_EQ(f.facade.GetVipState(), 3);
  EXPECT_EQ(f.census.created, 2);
  EXPECT_EQ(f.census.alive, 1);
  FakeAdapter* current = f.factory->last;  // the old one is gone (alive is 1); its address may be reused
  EXPECT_EQ(current->listeners(), (std::set<IPDFVipUserInfoListener*>{&first, &second}));
  EXPECT_EQ(f.facade.GetVipProductId(), 111);
  EXPECT_EQ(f.census.created, 2) << "the same id keeps the adapter";
  f.facade.RemoveUserInfoListener(&first);
  f.factory->id = 13;
  f.facade.IsLogin();
  EXPECT_EQ(f.factory->last.load()->listeners(), (std::set<IPDFVipUserInfoListener*>{&second}));
}

TEST(VipFacade, ConcurrentCallsWhileTheProductIdChanges) {
  Facade f(3);
  f.facade.Initialize();
  NullListener listener;
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> callers;
  for (int t = 0; t < 4; ++t) {
    callers.emplace_back([&] {
      while (!stop) {
        if (f.facade.GetVipState() != 3) ++wrong;
        VipUserInfo info;
        if (!f.facade.FillUserInfo(info)) ++wrong;
        f.facade.AddUserInfoListener(&listener);
        f.facade.RemoveUserInfoListener(&listener);
        f.facade.GetVipProductId();
      }
    });
  }
  for (int round = 0; round < 300; ++round) {
    f.factory->id = round % 2 ? 13 : 111;
    f.facade.IsVip();
    std::this_thread::yield();
  }
  stop = true;
  for (auto& caller : callers) caller.join();
  f.facade.ReleaseAdapter();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(f.census.callsOnDead, 0) << "no call reached a destroyed adapter";
  EXPECT_EQ(f.census.alive, 0);
  EXPECT_GE(f.census.created, 300);
}

TEST(VipAccessLock, SharedHoldersTogetherExclusiveAlone) {
  AdapterAccessLock lock;
  EXPECT_EQ(lock.state(), AdapterAccessLock::kFree);
  lock.LockShared();
  lock.LockShared();
  EXPECT_EQ(lock.state(), AdapterAccessLock::kShared);
  EXPECT_EQ(lock.sharedCount(), 2);
  std::atomic<bool> acquired{false};
  std::thread writer([&] {
    AdapterAccessLock::Exclusive hold(lock);
    acquired = true;
  });
  lock.Unlock();
  EXPECT_EQ(lock.state(), AdapterAccessLock::kShared);
  EXPECT_FALSE(acquired) << "one shared holder is left";
  lock.Unlock();
  writer.join();
  EXPECT_TRUE(acquired);
  EXPECT_EQ(lock.state(), AdapterAccessLock::kFree);
}

TEST(VipAccessLock, ReadersAndWritersNeverOverlap) {
  AdapterAccessLock lock;
  std::atomic<int> readers{0};
  std::atomic<int> writers{0};
  std::atomic<int> overlaps{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        if ((t + i) % 5 == 0) {
          AdapterAccessLock::Exclusive hold(lock);
          if (++writers != 1 || readers != 0) ++overlaps;
          --writers;
        } else {
          AdapterAccessLock::Shared hold(lock);
          ++readers;
          if (writers != 0) ++overlaps;
          --readers;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(lock.state(), AdapterAccessLock::kFree);
}

TEST(FacadeStartUp, TheFirstCallsWaitForTheAdapterMadeOffTheCaller) {
  auto* factory = new SlowTessikFactory;
  CPDFVipSdkAdapter facade{std::unique_ptr<SlowTessikFactory>(factory)};
  facade.Initialize();
  NullListener listener;
  facade.AddUserInfoListener(&listener);
  EXPECT_EQ(facade.GetVipState(), 3);  // the adapter's answer, never the neutral one
  EXPECT_EQ(factory->census.created, 1);
  EXPECT_NE(factory->creator, GetCurrentThreadId());
  facade.RemoveUserInfoListener(&listener);
  facade.ReleaseAdapter();
  EXPECT_EQ(factory->census.alive, 0);
}

TEST(FacadeStartUp, ReleaseAtOnceWaitsForTheAdapterAndDestroysIt) {
  auto* factory = new SlowTessikFactory;
  CPDFVipSdkAdapter facade{std::unique_ptr<SlowTessikFactory>(factory)};
  facade.Initialize();
  facade.ReleaseAdapter();
  EXPECT_EQ(factory->census.created, 1);
  EXPECT_EQ(factory->census.alive, 0);
  EXPECT_EQ(facade.GetVipState(), 1);
  EXPECT_EQ(factory->census.callsOnDead, 0);
}
