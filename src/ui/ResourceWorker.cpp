#include "ui/ResourceWorker.h"

#include "utils/Log.h"
#include "utils/ThreadStack.h"

namespace ui {

namespace {

struct WorkerJob {
  std::function<void()> body;
  HMODULE pinnedModule = nullptr;  // this module, held until the thread has left its code
};

}  // namespace

bool ResourceWorker::Start(std::function<void()> body) {
  Stop();
  stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto* job = new WorkerJob{std::move(body), nullptr};
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ResourceWorker::ThreadMain),
                     &job->pinnedModule);
  if (stopEvent_) thread_ = CreateThread(nullptr, qm::kThreadStackReserve, &ResourceWorker::ThreadMain, job,
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, &threadId_);
  if (!thread_) {
    if (job->pinnedModule) FreeLibrary(job->pinnedModule);
    delete job;
    Stop();
    return false;
  }
  return true;
}

DWORD WINAPI ResourceWorker::ThreadMain(void* context) {
  auto* job = static_cast<WorkerJob*>(context);
  try {
    job->body();
  } catch (...) {
    // Nothing may leave the thread: the host would go down with it.
    ZLOG(ERROR) << L"pop-up worker stopped by an exception";
  }
  const HMODULE pinned = job->pinnedModule;
  delete job;
  if (pinned) FreeLibraryAndExitThread(pinned, 0);
  return 0;
}

HRESULT ResourceWorker::Stop(DWORD limitMs) {
  if (thread_ && GetCurrentThreadId() == threadId_) return E_FAIL;
  if (stopEvent_) SetEvent(stopEvent_);
  if (thread_) {
    DWORD waited = 0;
    while (WaitForSingleObject(thread_, 200) == WAIT_TIMEOUT) {
      waited += 200;
      if (waited >= limitMs) {
        ZLOG(WARNING) << L"pop-up worker still busy after " << waited << L" ms: it ends on its own";
        break;
      }
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    threadId_ = 0;
  }
  if (stopEvent_) CloseHandle(stopEvent_);
  stopEvent_ = nullptr;
  return S_OK;
}

}  // namespace ui
