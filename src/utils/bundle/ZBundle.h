#pragma once

#include <map>
#include <memory>
#include <string>

#include "family/Bundle.h"
#include "utils/bundle/BundleBinaryItem.h"
#include "utils/bundle/BundleItem.h"
#include "utils/bundle/BundleListItem.h"
#include "utils/bundle/BundleNestedItem.h"
#include "utils/bundle/BundleScalarItem.h"
#include "utils/bundle/BundleStringItem.h"

namespace qm {

// The module's bundle: an ordered map from key (ordinal UTF-16 order) to one owned item. Created
// with new, destroyed through Release (slot 20). Not thread-safe: one owner at a time.
class ZBundle final : public IBundle {
 public:
  using IDATA_ITEM = BundleItem;
  using DATA_ITEM_INT = BundleIntItem;
  using DATA_ITEM_INT64 = BundleInt64Item;
  using DATA_ITEM_DOUBLE = BundleDoubleItem;
  using DATA_ITEM_PTR = BundlePointerItem;
  using DATA_ITEM_STRING = BundleStringItem;
  using DATA_ITEM_BINARY = BundleBinaryItem;
  using DATA_ITEM_BUNDLE = BundleNestedItem;
  using DATA_ITEM_LIST = BundleListItem;

  ZBundle() = default;
  ZBundle(const ZBundle&) = delete;
  ZBundle& operator=(const ZBundle&) = delete;

  bool __stdcall PutInt(const wchar_t* key, int32_t value) override;
  bool __stdcall PutInt64(const wchar_t* key, int64_t value) override;
  bool __stdcall PutDouble(const wchar_t* key, double value) override;
  bool __stdcall PutPointer(const wchar_t* key, void* value) override;
  bool __stdcall PutString(const wchar_t* key, const wchar_t* text) override;
  bool __stdcall PutBinary(const wchar_t* key, const void* data, uint32_t size) override;
  bool __stdcall PutBundle(const wchar_t* key, IBundle* bundle) override;
  bool __stdcall ListAppend(const wchar_t* key, IBundle* const* entries, uint32_t count) override;
  bool __stdcall ListAppendBundle(const wchar_t* key, IBundle* bundle) override;
  bool __stdcall ListRemoveValue(const wchar_t* key, IBundle* value) override;
  bool __stdcall ListRemoveAt(const wchar_t* key, uint32_t index) override;
  int32_t __stdcall GetInt(const wchar_t* key, int32_t defaultValue) override;
  int64_t __stdcall GetInt64(const wchar_t* key, int64_t defaultValue) override;
  double __stdcall GetDouble(const wchar_t* key, double defaultValue) override;
  void* __stdcall GetPointer(const wchar_t* key) override;
  const wchar_t* __stdcall GetString(const wchar_t* key, const wchar_t* defaultText) override;
  const void* __stdcall GetBinary(const wchar_t* key, uint32_t* size) override;
  IBundle* __stdcall GetBundle(const wchar_t* key) override;
  IBundle* const* __stdcall GetList(const wchar_t* key, uint32_t* count) override;
  IBundle* __stdcall ListEntry(const wchar_t* key, uint32_t index) override;
  void __stdcall Release() override;
  bool __stdcall Has(const wchar_t* key) override;
  void __stdcall Clear() override;
  void __stdcall Remove(const wchar_t* key) override;
  bool __stdcall CopyTo(IBundle* target) override;
  bool __stdcall Load(const void* data, uint32_t length, bool clearFirst) override;
  const void* __stdcall Serialize(uint32_t* length) override;

  // Loads a serial form nested at depth into this new bundle: total receives its total length and
  // sum grows by the sum of its bytes. Its checksum is checked once its items are read, from their
  // sums (a failure discards the bundle, so the order is not seen), so no byte is summed at every
  // level around it.
  bool LoadNested(const uint8_t* data, uint32_t length, int depth, uint32_t& total, uint32_t& sum);
  // Appends the serial form of a bundle held inside another and adds its bytes' sum to sum. The
  // module's own bundles are written in place, so a deep bundle is written once, not once per level.
  static bool WriteNested(IBundle* bundle, std::string& out, uint32_t& sum);
  // Whether the bundle is one of this module's own: another library's bundle has a table of
  // another compiler, with no type information the module could read.
  static bool IsOwn(const IBundle* bundle);
  // True when from is target, or from is one of the module's bundles that holds target anywhere
  // inside it (another library's bundle cannot be looked into).
  static bool Reaches(const IBundle* from, const IBundle* target);
  size_t size() const { return items_.size(); }

 private:
  ~ZBundle() = default;  // through Release

  static bool ValidKey(const wchar_t* key);
  static std::unique_ptr<BundleItem> NewItem(uint16_t type);
  bool Put(const wchar_t* key, std::unique_ptr<BundleItem> item);
  BundleItem* Find(const wchar_t* key, uint16_t type);
  BundleListItem* ListFor(const wchar_t* key);
  bool Holds(const IBundle* bundle) const;
  bool CanTake(const IBundle* bundle) const;
  static bool ReadFormHeader(const uint8_t* data, uint32_t length, int depth, uint32_t& total, uint16_t& checksum);
  bool LoadItems(const uint8_t* data, uint32_t total, int depth, uint32_t& bodySum);
  bool LoadItem(const uint8_t* data, uint32_t total, uint32_t& offset, int depth, uint32_t& bodySum);
  bool WriteForm(std::string& out, uint32_t& sum) const;

  std::map<std::wstring, std::unique_ptr<BundleItem>> items_;
  std::string serial_;
  // Set while the bundle writes itself: another library's bundle inside it that holds it in turn
  // must not make the writing go round for ever.
  mutable bool writing_ = false;
};

// For owners that hold a ZBundle in a unique_ptr.
struct BundleReleaser {
  void operator()(IBundle* bundle) const {
    if (bundle) bundle->Release();
  }
};
using ZBundlePtr = std::unique_ptr<ZBundle, BundleReleaser>;

}  // namespace qm
