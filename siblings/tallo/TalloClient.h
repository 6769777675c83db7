#pragma once

#include <atomic>
#include <memory>

#include "common/Journal.h"
#include "family/Tallo.h"
#include "tallo/TalloRecordDraft.h"

namespace siblings {

// The Tessik reporting client: journals each record it is handed, with its fields in schema order
// and whether it came through submit or the fallback. A file "tessiktallo.fail" beside the
// library makes every submit fail (the record stays pending for the fallback).
class TalloClient final : public tallo::ITalloClient2 {
 public:
  TalloClient() : journal_(L"tessiktallo") {}

  void* DeletingDestructor(unsigned int flags) override;
  unsigned long AddRef() override { return ++references_; }
  unsigned long Release() override;
  bool SetProductId(int) override { return true; }
  bool SetUserId(const wchar_t*) override { return true; }
  bool SetInt(const wchar_t* name, int value) override;
  bool SetString(const wchar_t* name, const wchar_t* value) override;
  bool SetInt64(const wchar_t* name, int64_t value) override;
  bool SubmitFallback(int mode) override;
  bool Submit() override;
  bool Flush() override { return true; }
  int PendingCount() override { return draft_ ? 1 : 0; }
  bool SetUploadInterval(int) override { return true; }
  bool SetChannel(const wchar_t*) override { return true; }
  bool SetVersion(const wchar_t*) override { return true; }
  bool SetDouble(const wchar_t*, double) override { return false; }
  bool Discard() override;
  bool IsReady() override { return true; }
  bool Begin(const wchar_t* schema) override;

 private:
  bool Refuse(const wchar_t* call, const wchar_t* name);
  void Deliver(const wchar_t* via, int mode);
  static bool SubmitShouldFail();

  Journal journal_;
  std::atomic<unsigned long> references_{1};
  std::unique_ptr<TalloRecordDraft> draft_;
  bool submitFailed_ = false;
};

}  // namespace siblings
