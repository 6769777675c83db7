#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// The pop-up's background thread. Stop() signals the worker's event and waits for the thread in
// steps of 200 ms; a worker stuck in a request that ignores the stop (a server that never answers)
// is left to end on its own after the limit, so the host's shutdown is never held for long. The
// thread owns its body and keeps the module loaded until it has ended. A stop asked on the worker
// thread itself waits for nothing.
class ResourceWorker {
 public:
  static constexpr DWORD kStopLimitMs = 800;

  ResourceWorker() = default;
  ~ResourceWorker() { Stop(); }
  ResourceWorker(const ResourceWorker&) = delete;
  ResourceWorker& operator=(const ResourceWorker&) = delete;

  // Runs body on a new thread; false (and nothing running) when the thread cannot start. The body
  // must own (or share) everything it touches: it may outlive this object.
  bool Start(std::function<void()> body);
  // S_OK, or E_FAIL when called on the worker thread itself.
  HRESULT Stop(DWORD limitMs = kStopLimitMs);
  bool IsRunning() const { return thread_ != nullptr; }
  HANDLE stop_event() const { return stopEvent_; }

 private:
  static DWORD WINAPI ThreadMain(void* job);

  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE stopEvent_ = nullptr;
};

}  // namespace ui
