#pragma once

// The typed key/value bundle the module exchanges with the product family's VIP components. A
// table of 27 standard-call operations, the object passed first; no slot throws. A key holds one
// item of one of eight types; list entries are bundles, and a list owns its entries.

#include <cstddef>
#include <cstdint>

namespace qm {

enum BundleItemType : uint16_t {
  kBundleInt = 1,
  kBundleInt64 = 2,
  kBundleDouble = 3,
  kBundlePointer = 4,
  kBundleString = 5,
  kBundleBinary = 6,
  kBundleNested = 7,
  kBundleList = 8,
};

class IBundle {
 public:
  virtual bool __stdcall PutInt(const wchar_t* key, int32_t value) = 0;                       // 0
  virtual bool __stdcall PutInt64(const wchar_t* key, int64_t value) = 0;                     // 1
  virtual bool __stdcall PutDouble(const wchar_t* key, double value) = 0;                     // 2
  virtual bool __stdcall PutPointer(const wchar_t* key, void* value) = 0;                     // 3
  virtual bool __stdcall PutString(const wchar_t* key, const wchar_t* text) = 0;              // 4
  virtual bool __stdcall PutBinary(const wchar_t* key, const void* data, uint32_t size) = 0;  // 5
  // Takes ownership of the bundle.
  virtual bool __stdcall PutBundle(const wchar_t* key, IBundle* bundle) = 0;  // 6
  // Takes ownership of the entries.
  virtual bool __stdcall ListAppend(const wchar_t* key, IBundle* const* entries, uint32_t count) = 0;  // 7
  // Appends a copy; the caller keeps its bundle.
  virtual bool __stdcall ListAppendBundle(const wchar_t* key, IBundle* bundle) = 0;                // 8
  virtual bool __stdcall ListRemoveValue(const wchar_t* key, IBundle* value) = 0;                  // 9
  virtual bool __stdcall ListRemoveAt(const wchar_t* key, uint32_t index) = 0;                     // 10
  virtual int32_t __stdcall GetInt(const wchar_t* key, int32_t defaultValue) = 0;                  // 11
  virtual int64_t __stdcall GetInt64(const wchar_t* key, int64_t defaultValue) = 0;                // 12
  virtual double __stdcall GetDouble(const wchar_t* key, double defaultValue) = 0;                 // 13
  virtual void* __stdcall GetPointer(const wchar_t* key) = 0;                                      // 14
  virtual const wchar_t* __stdcall GetString(const wchar_t* key, const wchar_t* defaultText) = 0;  // 15
  virtual const void* __stdcall GetBinary(const wchar_t* key, uint32_t* size) = 0;                 // 16
  virtual IBundle* __stdcall GetBundle(const wchar_t* key) = 0;                                    // 17
  virtual IBundle* const* __stdcall GetList(const wchar_t* key, uint32_t* count) = 0;              // 18
  virtual IBundle* __stdcall ListEntry(const wchar_t* key, uint32_t index) = 0;                    // 19
  virtual void __stdcall Release() = 0;                                                            // 20
  virtual bool __stdcall Has(const wchar_t* key) = 0;                                              // 21
  virtual void __stdcall Clear() = 0;                                                              // 22
  virtual void __stdcall Remove(const wchar_t* key) = 0;                                           // 23
  virtual bool __stdcall CopyTo(IBundle* target) = 0;                                              // 24
  virtual bool __stdcall Load(const void* data, uint32_t length, bool clearFirst) = 0;             // 25
  // The bundle keeps the bytes until the next call of this slot or its release.
  virtual const void* __stdcall Serialize(uint32_t* length) = 0;  // 26

 protected:
  ~IBundle() = default;  // destruction goes through slot 20
};

inline constexpr size_t kBundleSlotCount = 27;

static_assert(sizeof(IBundle) == sizeof(void*), "an interface is only its table pointer");
static_assert(sizeof(IBundle*) == sizeof(uintptr_t), "list entries are pointer-sized");
static_assert(sizeof(double) == 8 && sizeof(wchar_t) == 2, "the serial form's value sizes");

}  // namespace qm
