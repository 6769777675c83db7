#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "family/FennickAccount.h"
#include "utils/ScopedHandle.h"

namespace siblings {

// The account library's account object: the record from the VIP state file, and a thread that
// tells the observers when that file changes.
class FkAccountObject final : public fkaccount::IFkAccount {
 public:
  FkAccountObject();
  FkAccountObject(const FkAccountObject&) = delete;
  FkAccountObject& operator=(const FkAccountObject&) = delete;

  bool GetAccountInfo(fkaccount::FkAccountRecord* record) override;
  bool AddObserver(fkaccount::IFkAccountInfoObserver* observer) override;
  bool RemoveObserver(fkaccount::IFkAccountInfoObserver* observer) override;
  void Release() override;

 private:
  ~FkAccountObject();
  void Watch();

  std::mutex lock_;
  std::set<fkaccount::IFkAccountInfoObserver*> observers_;  // under lock_
  qm::ScopedHandle stop_;
  std::wstring stamp_;
  std::thread watcher_;
};

}  // namespace siblings
