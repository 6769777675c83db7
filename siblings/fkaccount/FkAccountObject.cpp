#include "fkaccount/FkAccountObject.h"

#include <cstring>
#include <string>

#include "common/Journal.h"
#include "vipstate/VipStateFile.h"

namespace siblings {

namespace {

template <size_t N>
void Copy(wchar_t (&target)[N], const std::wstring& text) {
  lstrcpynW(target, text.c_str(), static_cast<int>(N));
}

}  // namespace

FkAccountObject::FkAccountObject()
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), stamp_(VipStateFile::Stamp()) {
  watcher_ = std::thread([this] { Watch(); });
}

FkAccountObject::~FkAccountObject() {
  SetEvent(stop_.get());
  if (watcher_.joinable()) watcher_.join();
}

void FkAccountObject::Release() { delete this; }

bool FkAccountObject::GetAccountInfo(fkaccount::FkAccountRecord* record) {
  if (!record || record->size != sizeof(fkaccount::FkAccountRecord)) return false;
  UxJsonEx::Document doc;
  const bool readable = VipStateFile::Read(doc);
  const bool loggedIn = readable && doc.Get(L"logged_in").AsBool();
  Journal(L"fkaccount").Append(L"GetAccountInfo", {{L"logged_in", loggedIn ? L"true" : L"false"}});
  if (!loggedIn) return false;
  std::memset(reinterpret_cast<char*>(record) + sizeof(record->size), 0, sizeof(*record) - sizeof(record->size));
  record->loggedIn = 1;
  record->vipType = doc.Get(L"vip_type").AsInt();
  record->from = doc.Get(L"from").AsInt();
  record->vipExpire = doc.Get(L"vip_expire").AsInt64();
  record->permissionVip = doc.Get(L"permission_vip_info").AsInt64();
  record->expirePermissionVip = doc.Get(L"expire_permission_vip_info").AsInt64();
  record->isTourist = doc.Get(L"is_tourist").AsInt();
  record->isContinuous = doc.Get(L"is_continuous").AsInt();
  Copy(record->openId, doc.Get(L"open_id").AsString());
  Copy(record->token, doc.Get(L"token").AsString());
  Copy(record->nickName, doc.Get(L"nick_name").AsString());
  Copy(record->avatar, doc.Get(L"avatar").AsString());
  return true;
}

bool FkAccountObject::AddObserver(fkaccount::IFkAccountInfoObserver* observer) {
  if (!observer) return false;
  std::lock_guard<std::mutex> hold(lock_);
  return observers_.insert(observer).second;
}

bool FkAccountObject::RemoveObserver(fkaccount::IFkAccountInfoObserver* observer) {
  std::lock_guard<std::mutex> hold(lock_);
  return observers_.erase(observer) > 0;
}

void FkAccountObject::Watch() {
  std::wstring stamp = stamp_;  // taken before the thread, so no change slips in between
  while (WaitForSingleObject(stop_.get(), 100) == WAIT_TIMEOUT) {
    const std::wstring now = VipStateFile::Stamp();
    if (now == stamp) continue;
    stamp = now;
    // Observers are told under the lock, so removal waits for a running notification.
    std::lock_guard<std::mutex> hold(lock_);
    Journal(L"fkaccount").Append(L"notify", {{L"observers", std::to_wstring(observers_.size())}});
    for (fkaccount::IFkAccountInfoObserver* observer : observers_) {
      try {
        observer->OnAccountInfoChanged();
      } catch (...) {
      }
    }
  }
}

}  // namespace siblings
