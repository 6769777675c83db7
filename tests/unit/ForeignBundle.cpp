#include "ForeignBundle.h"

#include "utils/bundle/ZBundle.h"

namespace foreign_test {

namespace {

class ForeignBundle final : public qm::IBundle {
 public:
  bool __stdcall PutInt(const wchar_t* k, int32_t v) override { return items_->PutInt(k, v); }
  bool __stdcall PutInt64(const wchar_t* k, int64_t v) override { return items_->PutInt64(k, v); }
  bool __stdcall PutDouble(const wchar_t* k, double v) override { return items_->PutDouble(k, v); }
  bool __stdcall PutPointer(const wchar_t* k, void* v) override { return items_->PutPointer(k, v); }
  bool __stdcall PutString(const wchar_t* k, const wchar_t* t) override { return items_->PutString(k, t); }
  bool __stdcall PutBinary(const wchar_t* k, const void* d, uint32_t n) override { return items_->PutBinary(k, d, n); }
  bool __stdcall PutBundle(const wchar_t* k, IBundle* b) override { return items_->PutBundle(k, b); }
  bool __stdcall ListAppend(const wchar_t* k, IBundle* const* e, uint32_t n) override {
    return items_->ListAppend(k, e, n);
  }
  bool __stdcall ListAppendBundle(const wchar_t* k, IBundle* b) override { return items_->ListAppendBundle(k, b); }
  bool __stdcall ListRemoveValue(const wchar_t* k, IBundle* v) override { return items_->ListRemoveValue(k, v); }
  bool __stdcall ListRemoveAt(const wchar_t* k, uint32_t i) override { return items_->ListRemoveAt(k, i); }
  int32_t __stdcall GetInt(const wchar_t* k, int32_t d) override { return items_->GetInt(k, d); }
  int64_t __stdcall GetInt64(const wchar_t* k, int64_t d) override { return items_->GetInt64(k, d); }
  double __stdcall GetDouble(const wchar_t* k, double d) override { return items_->GetDouble(k, d); }
  void* __stdcall GetPointer(const wchar_t* k) override { return items_->GetPointer(k); }
  const wchar_t* __stdcall GetString(const wchar_t* k, const wchar_t* d) override { return items_->GetString(k, d); }
  const void* __stdcall GetBinary(const wchar_t* k, uint32_t* n) override { return items_->GetBinary(k, n); }
  IBundle* __stdcall GetBundle(const wchar_t* k) override { return items_->GetBundle(k); }
  IBundle* const* __stdcall GetList(const wchar_t* k, uint32_t* n) override { return items_->GetList(k, n); }
  IBundle* __stdcall ListEntry(const wchar_t* k, uint32_t i) override { return items_->ListEntry(k, i); }
  void __stdcall Release() override { delete this; }
  bool __stdcall Has(const wchar_t* k) override { return items_->Has(k); }
  void __stdcall Clear() override { items_->Clear(); }
  void __stdcall Remove(const wchar_t* k) override { items_->Remove(k); }
  bool __stdcall CopyTo(IBundle* target) override { return items_->CopyTo(target); }
  bool __stdcall Load(const void* d, uint32_t n, bool clear) override { return items_->Load(d, n, clear); }
  const void* __stdcall Serialize(uint32_t* length) override { return items_->Serialize(length); }

 private:
  ~ForeignBundle() = default;
  qm::ZBundlePtr items_{new qm::ZBundle()};
};

}  // namespace

qm::IBundle* NewForeignBundle() {
  return new ForeignBundle();
}

}  // namespace foreign_test
