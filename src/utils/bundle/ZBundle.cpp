#include "utils/bundle/ZBundle.h"

#include <cstring>
#include <limits>
#include <set>

#include "utils/bundle/BundleSerial.h"

namespace qm {

namespace {

// No exception may leave a slot: the other side is a separate library.
template <class R, class Body>
R Guarded(R fallback, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

}  // namespace

bool ZBundle::ValidKey(const wchar_t* key) {
  return key && std::char_traits<wchar_t>::length(key) <= std::numeric_limits<uint16_t>::max();
}

std::unique_ptr<BundleItem> ZBundle::NewItem(uint16_t type) {
  switch (type) {
    case kBundleInt: return std::make_unique<BundleIntItem>();
    case kBundleInt64: return std::make_unique<BundleInt64Item>();
    case kBundleDouble: return std::make_unique<BundleDoubleItem>();
    case kBundlePointer: return std::make_unique<BundlePointerItem>();
    case kBundleString: return std::make_unique<BundleStringItem>();
    case kBundleBinary: return std::make_unique<BundleBinaryItem>();
    case kBundleNested: return std::make_unique<BundleNestedItem>();
    case kBundleList: return std::make_unique<BundleListItem>();
    default: return nullptr;
  }
}

bool ZBundle::Put(const wchar_t* key, std::unique_ptr<BundleItem> item) {
  if (!ValidKey(key)) return false;
  items_[key] = std::move(item);  // whatever the key held is destroyed
  return true;
}

BundleItem* ZBundle::Find(const wchar_t* key, uint16_t type) {
  if (!key) return nullptr;
  const auto found = items_.find(key);
  return found != items_.end() && found->second->type() == type ? found->second.get() : nullptr;
}

bool ZBundle::PutInt(const wchar_t* key, int32_t value) {
  return Guarded(false, [&] { return Put(key, std::make_unique<BundleIntItem>(value)); });
}

bool ZBundle::PutInt64(const wchar_t* key, int64_t value) {
  return Guarded(false, [&] { return Put(key, std::make_unique<BundleInt64Item>(value)); });
}

bool ZBundle::PutDouble(const wchar_t* key, double value) {
  return Guarded(false, [&] { return Put(key, std::make_unique<BundleDoubleItem>(value)); });
}

bool ZBundle::PutPointer(const wchar_t* key, void* value) {
  return Guarded(false, [&] { return Put(key, std::make_unique<BundlePointerItem>(value)); });
}

bool ZBundle::PutString(const wchar_t* key, const wchar_t* text) {
  return Guarded(false, [&] { return text && Put(key, std::make_unique<BundleStringItem>(text)); });
}

bool ZBundle::PutBinary(const wchar_t* key, const void* data, uint32_t size) {
  return Guarded(false,
                 [&] { return (data || size == 0) && Put(key, std::make_unique<BundleBinaryItem>(data, size)); });
}

bool ZBundle::Holds(const IBundle* bundle) const {
  for (const auto& [key, item] : items_) {
    if (item->Holds(bundle)) return true;
  }
  return false;
}

namespace {

const void* TableOf(const IBundle* bundle) {
  const void* table = nullptr;
  std::memcpy(&table, bundle, sizeof(table));
  return table;
}

}  // namespace

bool ZBundle::IsOwn(const IBundle* bundle) {
  // The table of this module's ZBundle, taken from one made for the purpose.
  static const void* const ownTable = [] {
    ZBundlePtr probe(new ZBundle());
    return TableOf(probe.get());
  }();
  return bundle && TableOf(bundle) == ownTable;
}

bool ZBundle::Reaches(const IBundle* from, const IBundle* target) {
  if (!from) return false;
  if (from == target) return true;
  return IsOwn(from) && static_cast<const ZBundle*>(from)->Holds(target);
}

// A bundle taken into ownership must not be this one, contain this one, or be held already.
bool ZBundle::CanTake(const IBundle* bundle) const {
  return bundle && !Reaches(bundle, this) && !Holds(bundle);
}

bool ZBundle::PutBundle(const wchar_t* key, IBundle* bundle) {
  return Guarded(false, [&] {
    if (!ValidKey(key) || !bundle) return false;
    if (const auto* held = static_cast<BundleNestedItem*>(Find(key, kBundleNested)); held && held->bundle() == bundle) {
      return true;
    }
    return CanTake(bundle) && Put(key, std::make_unique<BundleNestedItem>(bundle));
  });
}

BundleListItem* ZBundle::ListFor(const wchar_t* key) {
  if (auto* list = static_cast<BundleListItem*>(Find(key, kBundleList))) return list;
  auto created = std::make_unique<BundleListItem>();
  BundleListItem* list = created.get();
  return Put(key, std::move(created)) ? list : nullptr;
}

bool ZBundle::ListAppend(const wchar_t* key, IBundle* const* entries, uint32_t count) {
  return Guarded(false, [&] {
    if (!ValidKey(key) || (!entries && count > 0)) return false;
    std::set<const IBundle*> distinct;
    for (uint32_t i = 0; i < count; ++i) {
      if (!CanTake(entries[i]) || !distinct.insert(entries[i]).second) return false;
    }
    BundleListItem* list = ListFor(key);
    if (!list) return false;
    for (uint32_t i = 0; i < count; ++i) list->Append(entries[i]);
    return true;
  });
}

bool ZBundle::ListAppendBundle(const wchar_t* key, IBundle* bundle) {
  return Guarded(false, [&] {
    if (!ValidKey(key) || !bundle) return false;
    ZBundlePtr copy(new ZBundle());
    if (!bundle->CopyTo(copy.get())) return false;
    BundleListItem* list = ListFor(key);
    if (!list) return false;
    list->Append(copy.release());
    return true;
  });
}

bool ZBundle::ListRemoveValue(const wchar_t* key, IBundle* value) {
  return Guarded(false, [&] {
    auto* list = static_cast<BundleListItem*>(Find(key, kBundleList));
    return list && list->RemoveValue(value);
  });
}

bool ZBundle::ListRemoveAt(const wchar_t* key, uint32_t index) {
  return Guarded(false, [&] {
    auto* list = static_cast<BundleListItem*>(Find(key, kBundleList));
    return list && list->RemoveAt(index);
  });
}

int32_t ZBundle::GetInt(const wchar_t* key, int32_t defaultValue) {
  const auto* item = static_cast<BundleIntItem*>(Find(key, kBundleInt));
  return item ? item->value() : defaultValue;
}

int64_t ZBundle::GetInt64(const wchar_t* key, int64_t defaultValue) {
  const auto* item = static_cast<BundleInt64Item*>(Find(key, kBundleInt64));
  return item ? item->value() : defaultValue;
}

double ZBundle::GetDouble(const wchar_t* key, double defaultValue) {
  const auto* item = static_cast<BundleDoubleItem*>(Find(key, kBundleDouble));
  return item ? item->value() : defaultValue;
}

void* ZBundle::GetPointer(const wchar_t* key) {
  const auto* item = static_cast<BundlePointerItem*>(Find(key, kBundlePointer));
  return item ? item->value() : nullptr;
}

const wchar_t* ZBundle::GetString(const wchar_t* key, const wchar_t* defaultText) {
  const auto* item = static_cast<BundleStringItem*>(Find(key, kBundleString));
  return item ? item->text().c_str() : defaultText;
}

const void* ZBundle::GetBinary(const wchar_t* key, uint32_t* size) {
  const auto* item = static_cast<BundleBinaryItem*>(Find(key, kBundleBinary));
  if (size) *size = item ? static_cast<uint32_t>(item->bytes().size()) : 0;
  return item ? item->bytes().data() : nullptr;
}

IBundle* ZBundle::GetBundle(const wchar_t* key) {
  const auto* item = static_cast<BundleNestedItem*>(Find(key, kBundleNested));
  return item ? item->bundle() : nullptr;
}

IBundle* const* ZBundle::GetList(const wchar_t* key, uint32_t* count) {
  const auto* item = static_cast<BundleListItem*>(Find(key, kBundleList));
  const bool any = item && !item->entries().empty();
  if (count) *count = any ? static_cast<uint32_t>(item->entries().size()) : 0;
  return any ? item->entries().data() : nullptr;
}

IBundle* ZBundle::ListEntry(const wchar_t* key, uint32_t index) {
  const auto* item = static_cast<BundleListItem*>(Find(key, kBundleList));
  return item && index < item->entries().size() ? item->entries()[index] : nullptr;
}

void ZBundle::Release() {
  delete this;
}

bool ZBundle::Has(const wchar_t* key) {
  return key && items_.count(key) > 0;
}

void ZBundle::Clear() {
  items_.clear();
}

void ZBundle::Remove(const wchar_t* key) {
  if (key) items_.erase(key);
}

bool ZBundle::CopyTo(IBundle* target) {
  return Guarded(false, [&] {
    uint32_t length = 0;
    const void* bytes = Serialize(&length);
    return target && bytes && target->Load(bytes, length, false);
  });
}

namespace {

// Marks a bundle as writing itself for the length of one write.
class WritingScope {
 public:
  explicit WritingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~WritingScope() { flag_ = false; }
  WritingScope(const WritingScope&) = delete;
  WritingScope& operator=(const WritingScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool ZBundle::WriteForm(std::string& out, uint32_t& sum) const {
  if (writing_) return false;
  const WritingScope scope(writing_);
  const size_t start = BundleSerial::BeginForm(out);
  uint32_t bodySum = 0;
  for (const auto& [key, item] : items_) {
    size_t itemStart = 0;
    if (!BundleSerial::BeginItem(out, item->type(), key, itemStart, bodySum) || !item->WriteValue(out, bodySum) ||
        !BundleSerial::EndItem(out, itemStart, bodySum)) {
      return false;
    }
  }
  return BundleSerial::EndForm(out, start, bodySum, sum);
}

bool ZBundle::WriteNested(IBundle* bundle, std::string& out, uint32_t& sum) {
  if (IsOwn(bundle)) return static_cast<const ZBundle*>(bundle)->WriteForm(out, sum);
  // Another library's bundle writes itself.
  uint32_t length = 0;
  const void* bytes = bundle ? bundle->Serialize(&length) : nullptr;
  if (!bytes) return false;
  BundleSerial::Append(out, bytes, length, sum);
  return true;
}

const void* ZBundle::Serialize(uint32_t* length) {
  return Guarded<const void*>(nullptr, [&]() -> const void* {
    if (length) *length = 0;
    std::string form;
    uint32_t sum = 0;
    if (!WriteForm(form, sum)) return nullptr;
    serial_ = std::move(form);
    if (length) *length = static_cast<uint32_t>(serial_.size());
    return serial_.data();
  });
}

bool ZBundle::Load(const void* data, uint32_t length, bool clearFirst) {
  return Guarded(false, [&] {
    if (clearFirst) Clear();
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint32_t total = 0;
    uint16_t checksum = 0;
    // Checked before any item is read: a refused form adds nothing to this bundle.
    if (!ReadFormHeader(bytes, length, 0, total, checksum) ||
        BundleSerial::Checksum(bytes + BundleSerial::kHeaderSize, total - BundleSerial::kHeaderSize) != checksum) {
      return false;
    }
    uint32_t bodySum = 0;
    return LoadItems(bytes, total, 0, bodySum);
  });
}

bool ZBundle::ReadFormHeader(const uint8_t* data, uint32_t length, int depth, uint32_t& total, uint16_t& checksum) {
  if (!data || length < BundleSerial::kHeaderSize || depth > BundleSerial::kMaxDepth) return false;
  const BundleSerial::Header header = BundleSerial::ReadHeader(data);
  // A total below the header's own size would make the body length negative.
  if (header.version != BundleSerial::kVersion || header.totalLength > length ||
      header.totalLength < BundleSerial::kHeaderSize) {
    return false;
  }
  total = header.totalLength;
  checksum = header.checksum;
  return true;
}

bool ZBundle::LoadItem(const uint8_t* data, uint32_t total, uint32_t& offset, int depth, uint32_t& bodySum) {
  if (total - offset < BundleSerial::kItemHeaderSize) return false;
  const BundleSerial::ItemHeader header = BundleSerial::ReadItemHeader(data + offset);
  const uint64_t keyBytes = 2ull * header.keyUnits;
  const uint64_t end = uint64_t{offset} + BundleSerial::kItemHeaderSize + keyBytes + header.valueLength;
  if (end > total) return false;
  std::unique_ptr<BundleItem> item = NewItem(header.type);
  if (!item) return false;
  const uint8_t* keyStart = data + offset + BundleSerial::kItemHeaderSize;
  std::wstring key(header.keyUnits, L'\0');
  for (uint16_t i = 0; i < header.keyUnits; ++i) key[i] = static_cast<wchar_t>(BundleSerial::GetU16(keyStart + 2 * i));
  bodySum += BundleSerial::Sum(data + offset, static_cast<size_t>(BundleSerial::kItemHeaderSize + keyBytes));
  if (!item->ReadValue(keyStart + keyBytes, header.valueLength, depth, bodySum)) return false;
  if (!items_.emplace(std::move(key), std::move(item)).second) return false;  // the existing item stays
  offset = static_cast<uint32_t>(end);
  return true;
}

bool ZBundle::LoadItems(const uint8_t* data, uint32_t total, int depth, uint32_t& bodySum) {
  uint32_t offset = BundleSerial::kHeaderSize;
  while (offset < total) {
    if (!LoadItem(data, total, offset, depth, bodySum)) return false;
  }
  return true;
}

bool ZBundle::LoadNested(const uint8_t* data, uint32_t length, int depth, uint32_t& total, uint32_t& sum) {
  uint16_t checksum = 0;
  uint32_t bodySum = 0;
  if (!ReadFormHeader(data, length, depth, total, checksum) || !LoadItems(data, total, depth, bodySum) ||
      static_cast<uint16_t>(bodySum & 0xFFFF) != checksum) {
    return false;
  }
  sum += bodySum + BundleSerial::Sum(data, BundleSerial::kHeaderSize);
  return true;
}

}  // namespace qm
