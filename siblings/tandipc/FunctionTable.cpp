#include "tandipc/FunctionTable.h"

namespace tandipc {

FunctionTable::Entry::~Entry() {
  try {
    if (exec) exec->Release();
  } catch (...) {
  }
}

FunctionTable::~FunctionTable() {
  std::map<std::wstring, std::shared_ptr<Entry>> entries;
  {
    std::lock_guard<std::mutex> hold(lock_);
    entries.swap(entries_);
  }
  for (auto& [name, entry] : entries) Retire(std::move(entry));
}

void FunctionTable::Retire(std::shared_ptr<Entry> entry) {
  if (!entry) return;
  // Wait for calls that are running; later ones no longer find the entry.
  std::unique_lock<std::shared_mutex> exclusive(entry->running);
}

void FunctionTable::Add(const std::wstring& name, ITandIpcExecObject* exec) {
  auto entry = std::make_shared<Entry>(exec);
  std::shared_ptr<Entry> previous;
  {
    std::lock_guard<std::mutex> hold(lock_);
    previous = std::exchange(entries_[name], entry);
  }
  Retire(std::move(previous));
}

bool FunctionTable::Remove(const std::wstring& name) {
  std::shared_ptr<Entry> entry;
  {
    std::lock_guard<std::mutex> hold(lock_);
    const auto found = entries_.find(name);
    if (found == entries_.end()) return false;
    entry = std::move(found->second);
    entries_.erase(found);
  }
  Retire(std::move(entry));
  return true;
}

int32_t FunctionTable::Execute(const std::wstring& name, ITandIpcBundle* request, ITandIpcBundle* response) {
  std::shared_ptr<Entry> entry;
  {
    std::lock_guard<std::mutex> hold(lock_);
    const auto found = entries_.find(name);
    if (found == entries_.end()) return kCallUnknownFunction;
    entry = found->second;
  }
  std::shared_lock<std::shared_mutex> running(entry->running);
  if (!entry->exec) return kCallUnknownFunction;
  try {
    return entry->exec->Execute(request, response);
  } catch (...) {
    return kCallBadRequest;
  }
}

}  // namespace tandipc
