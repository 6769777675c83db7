#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <utility>

#include "family/SheerIpc.h"

namespace tandipc {

// A channel's served functions. A call holds its function shared while it runs; removal waits
// for the running calls and then releases the exec object.
class FunctionTable {
 public:
  FunctionTable() = default;
  ~FunctionTable();
  FunctionTable(const FunctionTable&) = delete;
  FunctionTable& operator=(const FunctionTable&) = delete;

  // Replaces (and releases) an earlier object under the same name.
  void Add(const std::wstring& name, ITandIpcExecObject* exec);
  bool Remove(const std::wstring& name);
  // kCallUnknownFunction when nothing is registered under the name.
  int32_t Execute(const std::wstring& name, ITandIpcBundle* request, ITandIpcBundle* response);

 private:
  struct Entry {
    explicit Entry(ITandIpcExecObject* object) : exec(object) {}
    ~Entry();
    ITandIpcExecObject* exec;
    std::shared_mutex running;
  };
  static void Retire(std::shared_ptr<Entry> entry);

  std::mutex lock_;
  std::map<std::wstring, std::shared_ptr<Entry>> entries_;
};

}  // namespace tandipc
