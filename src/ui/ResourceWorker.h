#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// The pop-up's background thread. Stop() signals the worker's own event and waits for the thread
// in steps of 200 ms until it has ended; a stop asked on the worker thread itself waits for nothing.
class ResourceWorker {
 public:
  ResourceWorker() = default;
  ~ResourceWorker() { Stop(); }
  ResourceWorker(const ResourceWorker&) = delete;
  ResourceWorker& operator=(const ResourceWorker&) = delete;

  // Runs body on a new thread; false (and nothing running) when the thread cannot start.
  bool Start(std::function<void()> body);
  // S_OK, or E_FAIL when called on the worker thread itself.
  HRESULT Stop();
  bool IsRunning() const { return thread_ != nullptr; }
  HANDLE stop_event() const { return stopEvent_; }

 private:
  static unsigned __stdcall ThreadMain(void* self);

  HANDLE thread_ = nullptr;
  unsigned threadId_ = 0;
  HANDLE stopEvent_ = nullptr;
  HANDLE startedEvent_ = nullptr;
  std::function<void()> body_;
};

}  // namespace ui
