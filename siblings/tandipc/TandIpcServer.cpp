#include "tandipc/TandIpcServer.h"

namespace tandipc {

TandIpcServer::~TandIpcServer() {
  for (auto& [name, listener] : channels_) {
    if (listener) listener->Stop();
  }
}

ChannelListener* TandIpcServer::Find(const wchar_t* channel, bool create) {
  if (!channel || !*channel) return nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  // A lookup of a channel never served must not leave an empty entry behind for the destructor.
  if (!create) {
    const auto found = channels_.find(channel);
    return found == channels_.end() ? nullptr : found->second.get();
  }
  auto& slot = channels_[channel];
  if (!slot) slot = std::make_unique<ChannelListener>(channel);
  return slot.get();
}

bool TandIpcServer::RegisterFunction(const wchar_t* channel, const wchar_t* function, ITandIpcExecObject* exec) {
  try {
    if (!exec || !function || !*function) return false;
    ChannelListener* listener = Find(channel, true);
    if (!listener) return false;
    listener->functions().Add(function, exec);
    return true;
  } catch (...) {
    return false;
  }
}

bool TandIpcServer::UnregisterFunction(const wchar_t* channel, const wchar_t* function) {
  try {
    ChannelListener* listener = Find(channel, false);
    return listener && function && listener->functions().Remove(function);
  } catch (...) {
    return false;
  }
}

bool TandIpcServer::Start(const wchar_t* channel) {
  try {
    ChannelListener* listener = Find(channel, true);
    return listener && listener->Start();
  } catch (...) {
    return false;
  }
}

void TandIpcServer::Stop(const wchar_t* channel) {
  try {
    if (ChannelListener* listener = Find(channel, false)) listener->Stop();
  } catch (...) {
  }
}

}  // namespace tandipc
