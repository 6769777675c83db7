#include "ui/ResourceWorker.h"

#include <process.h>

#include "utils/Log.h"

namespace ui {

bool ResourceWorker::Start(std::function<void()> body) {
  Stop();
  body_ = std::move(body);
  stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  startedEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (stopEvent_ && startedEvent_) {
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ResourceWorker::ThreadMain, this, 0, &threadId_));
  }
  if (!thread_) {
    Stop();
    return false;
  }
  return true;
}

unsigned __stdcall ResourceWorker::ThreadMain(void* self) {
  auto* worker = static_cast<ResourceWorker*>(self);
  SetEvent(worker->startedEvent_);
  try {
    worker->body_();
  } catch (...) {
    // Nothing may leave the thread: the host would go down with it.
    ZLOG(ERROR) << L"pop-up worker stopped by an exception";
  }
  return 0;
}

HRESULT ResourceWorker::Stop() {
  if (thread_ && GetCurrentThreadId() == threadId_) return E_FAIL;
  if (stopEvent_) SetEvent(stopEvent_);
  if (thread_) {
    while (WaitForSingleObject(thread_, 200) == WAIT_TIMEOUT) {
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    threadId_ = 0;
  }
  for (HANDLE* event : {&stopEvent_, &startedEvent_}) {
    if (*event) CloseHandle(*event);
    *event = nullptr;
  }
  return S_OK;
}

}  // namespace ui
