#include "vip/VipAdapterStartUp.h"

#include "utils/ThreadStack.h"

namespace vip {

namespace {

struct StartUpJob {
  VipAdapterStartUp* owner;
  std::function<void()> body;
  HMODULE pinnedModule = nullptr;  // this module, held until the thread has left its code
};

}  // namespace

bool VipAdapterStartUp::Start(std::function<void()> body) {
  Wait();
  auto* job = new StartUpJob{this, std::move(body), nullptr};
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&VipAdapterStartUp::ThreadMain),
                     &job->pinnedModule);
  std::lock_guard<std::mutex> hold(lock_);
  pending_ = true;
  const HANDLE thread = CreateThread(nullptr, qm::kThreadStackReserve, &VipAdapterStartUp::ThreadMain, job,
                                     STACK_SIZE_PARAM_IS_A_RESERVATION, &threadId_);
  if (thread) {
    CloseHandle(thread);  // Wait waits for the body, not for the thread's end
    return true;
  }
  pending_ = false;
  threadId_ = 0;
  if (job->pinnedModule) FreeLibrary(job->pinnedModule);
  delete job;
  return false;
}

DWORD WINAPI VipAdapterStartUp::ThreadMain(void* context) {
  auto* job = static_cast<StartUpJob*>(context);
  try {
    job->body();
  } catch (...) {
    // Nothing may leave the thread; the facade then answers as it does without an adapter.
  }
  job->owner->Finished();
  const HMODULE pinned = job->pinnedModule;
  delete job;
  if (pinned) FreeLibraryAndExitThread(pinned, 0);
  return 0;
}

void VipAdapterStartUp::Finished() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    pending_ = false;
    threadId_ = 0;
  }
  finished_.notify_all();
}

void VipAdapterStartUp::Wait() {
  std::unique_lock<std::mutex> hold(lock_);
  if (GetCurrentThreadId() == threadId_) return;
  finished_.wait(hold, [this] { return !pending_; });
}

}  // namespace vip
