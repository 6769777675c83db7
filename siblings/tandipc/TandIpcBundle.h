#pragma once

#include "family/SheerIpc.h"
#include "utils/bundle/ZBundle.h"

namespace tandipc {

// The library's bundle: the typed bundle underneath, reached through slot 13.
class TandIpcBundle final : public ITandIpcBundle {
 public:
  TandIpcBundle() : store_(new qm::ZBundle()) {}
  TandIpcBundle(const TandIpcBundle&) = delete;
  TandIpcBundle& operator=(const TandIpcBundle&) = delete;

  void Release() override { delete this; }
  bool PutInt(const wchar_t* key, int32_t value) override { return store_->PutInt(key, value); }
  bool PutString(const wchar_t* key, const wchar_t* text) override { return store_->PutString(key, text); }
  bool PutInt64(const wchar_t* key, int64_t value) override { return store_->PutInt64(key, value); }
  bool PutBinary(const wchar_t* key, const void* data, uint32_t size) override {
    return store_->PutBinary(key, data, size);
  }
  int32_t GetInt(const wchar_t* key, int32_t defaultValue) override { return store_->GetInt(key, defaultValue); }
  const wchar_t* GetString(const wchar_t* key, const wchar_t* defaultText) override {
    return store_->GetString(key, defaultText);
  }
  int64_t GetInt64(const wchar_t* key, int64_t defaultValue) override { return store_->GetInt64(key, defaultValue); }
  const void* GetBinary(const wchar_t* key, uint32_t* size) override { return store_->GetBinary(key, size); }
  bool Has(const wchar_t* key) override { return store_->Has(key); }
  void Clear() override { store_->Clear(); }
  void Remove(const wchar_t* key) override { store_->Remove(key); }
  uint32_t Count() override { return static_cast<uint32_t>(store_->size()); }
  qm::IBundle* Store() override { return store_.get(); }

 private:
  ~TandIpcBundle() = default;
  qm::ZBundlePtr store_;
};

}  // namespace tandipc
