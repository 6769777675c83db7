// The typed bundle: type discipline of puts and gets, lists, the serial form and loading of
// hostile serial forms.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ForeignBundle.h"
#include "utils/bundle/BundleSerial.h"
#include "utils/bundle/ZBundle.h"

using qm::IBundle;
using qm::ZBundle;
using qm::ZBundlePtr;

namespace {

ZBundlePtr NewBundle() {
  return ZBundlePtr(new ZBundle());
}

std::string SerialOf(IBundle& bundle) {
  uint32_t length = 0;
  const void* bytes = bundle.Serialize(&length);
  return bytes ? std::string(static_cast<const char*>(bytes), length) : std::string();
}

bool LoadInto(IBundle& bundle, const std::string& bytes, bool clearFirst = false) {
  return bundle.Load(bytes.data(), static_cast<uint32_t>(bytes.size()), clearFirst);
}

// A bundle with one item of every kind but the pointer.
ZBundlePtr Sample() {
  ZBundlePtr bundle = NewBundle();
  bundle->PutInt(L"int", -7);
  bundle->PutInt64(L"int64", 0x123456789ALL);
  bundle->PutDouble(L"double", 2.5);
  bundle->PutString(L"text", L"h\u00e9llo");
  const char bytes[] = {1, 0, 2, 3};
  bundle->PutBinary(L"bin", bytes, sizeof(bytes));
  ZBundle* nested = new ZBundle();
  nested->PutInt(L"inner", 42);
  bundle->PutBundle(L"nested", nested);
  ZBundlePtr entry = NewBundle();
  entry->PutString(L"name", L"first");
  bundle->ListAppendBundle(L"list", entry.get());
  entry->PutString(L"name", L"second");
  bundle->ListAppendBundle(L"list", entry.get());
  return bundle;
}

}  // namespace

TEST(BundleTypes, APutReplacesWhateverTheKeyHeld) {
  ZBundlePtr bundle = NewBundle();
  EXPECT_TRUE(bundle->PutInt(L"a", 1));
  EXPECT_TRUE(bundle->PutString(L"a", L"x"));
  EXPECT_EQ(bundle->GetInt(L"a", 7), 7);
  EXPECT_STREQ(bundle->GetString(L"a", L"default"), L"x");
  EXPECT_EQ(bundle->size(), 1u);
}

TEST(BundleTypes, GettersNeverConvert) {
  ZBundlePtr bundle = NewBundle();
  bundle->PutInt(L"n", 5);
  EXPECT_EQ(bundle->GetInt64(L"n", -1), -1);
  EXPECT_EQ(bundle->GetDouble(L"n", 0.5), 0.5);
  EXPECT_EQ(bundle->GetPointer(L"n"), nullptr);
  EXPECT_STREQ(bundle->GetString(L"n", L"d"), L"d");
  uint32_t size = 99;
  EXPECT_EQ(bundle->GetBinary(L"n", &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(bundle->GetBundle(L"n"), nullptr);
  EXPECT_EQ(bundle->GetList(L"n", &size), nullptr);
  EXPECT_EQ(bundle->GetInt(L"missing", 3), 3);
  EXPECT_EQ(bundle->GetInt(nullptr, 4), 4);
  EXPECT_FALSE(bundle->PutInt(nullptr, 1));
  EXPECT_FALSE(bundle->PutString(L"s", nullptr));
  EXPECT_FALSE(bundle->PutBinary(L"b", nullptr, 3));
}

TEST(BundleTypes, EachKindReadsBackAsPut) {
  ZBundlePtr bundle = Sample();
  int marker = 0;
  bundle->PutPointer(L"ptr", &marker);
  EXPECT_EQ(bundle->GetInt(L"int", 0), -7);
  EXPECT_EQ(bundle->GetInt64(L"int64", 0), 0x123456789ALL);
  EXPECT_EQ(bundle->GetDouble(L"double", 0), 2.5);
  EXPECT_STREQ(bundle->GetString(L"text", nullptr), L"h\u00e9llo");
  EXPECT_EQ(bundle->GetPointer(L"ptr"), &marker);
  uint32_t size = 0;
  const auto* bytes = static_cast<const char*>(bundle->GetBinary(L"bin", &size));
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(std::string(bytes, 4), std::string("\1\0\2\3", 4));
  ASSERT_NE(bundle->GetBundle(L"nested"), nullptr);
  EXPECT_EQ(bundle->GetBundle(L"nested")->GetInt(L"inner", 0), 42);
  EXPECT_TRUE(bundle->Has(L"ptr"));
  bundle->Remove(L"ptr");
  EXPECT_FALSE(bundle->Has(L"ptr"));
  bundle->Clear();
  EXPECT_EQ(bundle->size(), 0u);
}

TEST(BundleTypes, PuttingABundleIntoItselfOrInACycleFails) {
  ZBundlePtr outer = NewBundle();
  EXPECT_FALSE(outer->PutBundle(L"self", outer.get()));
  ZBundle* inner = new ZBundle();
  ASSERT_TRUE(outer->PutBundle(L"inner", inner));
  EXPECT_TRUE(outer->PutBundle(L"inner", inner)) << "the bundle the key already holds";
  EXPECT_EQ(outer->GetBundle(L"inner"), inner);
  EXPECT_FALSE(outer->PutBundle(L"again", inner)) << "held once already";
  EXPECT_FALSE(inner->PutBundle(L"back", outer.get())) << "would make a cycle";
}

TEST(BundleLists, AppendRemoveAndEntries) {
  ZBundlePtr bundle = NewBundle();
  IBundle* entries[] = {new ZBundle(), new ZBundle(), new ZBundle()};
  ASSERT_TRUE(bundle->ListAppend(L"l", entries, 3));
  uint32_t count = 0;
  IBundle* const* list = bundle->GetList(L"l", &count);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(list[1], entries[1]);
  EXPECT_EQ(bundle->ListEntry(L"l", 2), entries[2]);
  EXPECT_EQ(bundle->ListEntry(L"l", 3), nullptr);
  EXPECT_FALSE(bundle->ListRemoveAt(L"l", 3)) << "index equal to the size";
  EXPECT_TRUE(bundle->ListRemoveAt(L"l", 2)) << "the last entry";
  EXPECT_TRUE(bundle->ListRemoveValue(L"l", entries[0]));
  EXPECT_FALSE(bundle->ListRemoveValue(L"l", entries[0])) << "already removed";
  bundle->GetList(L"l", &count);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(bundle->ListEntry(L"l", 0), entries[1]);
  EXPECT_TRUE(bundle->ListRemoveAt(L"l", 0));
  EXPECT_EQ(bundle->GetList(L"l", &count), nullptr);
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(bundle->ListRemoveAt(L"none", 0));
}

TEST(BundleLists, AppendRefusesNullSelfAndDuplicateEntries) {
  ZBundlePtr bundle = NewBundle();
  IBundle* withNull[] = {nullptr};
  EXPECT_FALSE(bundle->ListAppend(L"l", withNull, 1));
  EXPECT_FALSE(bundle->ListAppend(L"l", nullptr, 2));
  IBundle* self[] = {bundle.get()};
  EXPECT_FALSE(bundle->ListAppend(L"l", self, 1));
  ZBundle* once = new ZBundle();
  IBundle* twice[] = {once, once};
  EXPECT_FALSE(bundle->ListAppend(L"l", twice, 2));
  EXPECT_FALSE(bundle->Has(L"l"));
  once->Release();
}

TEST(BundleLists, AppendBundleStoresACopy) {
  ZBundlePtr bundle = NewBundle();
  ZBundlePtr mine = NewBundle();
  mine->PutInt(L"v", 1);
  ASSERT_TRUE(bundle->ListAppendBundle(L"l", mine.get()));
  ASSERT_TRUE(bundle->ListAppendBundle(L"l", mine.get()));
  EXPECT_NE(bundle->ListEntry(L"l", 0), mine.get()) << "the caller keeps its own bundle";
  EXPECT_EQ(bundle->ListEntry(L"l", 1)->GetInt(L"v", 0), 1);
  mine->PutInt(L"v", 2);
  EXPECT_EQ(bundle->ListEntry(L"l", 0)->GetInt(L"v", 0), 1);
}

TEST(BundleSerialForm, EmptyBundleIsEightBytes) {
  ZBundlePtr bundle = NewBundle();
  const std::string serial = SerialOf(*bundle);
  EXPECT_EQ(serial, std::string("\x01\x00\x00\x00\x08\x00\x00\x00", 8));
  ZBundlePtr loaded = NewBundle();
  EXPECT_TRUE(LoadInto(*loaded, serial));
  EXPECT_EQ(loaded->size(), 0u);
}

TEST(BundleSerialForm, OneIntItemByteForByte) {
  ZBundlePtr bundle = NewBundle();
  bundle->PutInt(L"k", 0x01020304);
  // item: type 1, key 1 unit, value 4 bytes, "k", 04 03 02 01
  const std::string body("\x01\x00\x01\x00\x04\x00\x00\x00k\x00\x04\x03\x02\x01", 14);
  const uint16_t sum = qm::BundleSerial::Checksum(reinterpret_cast<const uint8_t*>(body.data()), body.size());
  std::string expected("\x01\x00", 2);
  expected += static_cast<char>(sum & 0xFF);
  expected += static_cast<char>(sum >> 8);
  expected += std::string("\x16\x00\x00\x00", 4) + body;
  EXPECT_EQ(SerialOf(*bundle), expected);
}

TEST(BundleSerialForm, ChecksumTakesBytesAsSigned) {
  const uint8_t bytes[] = {0xFF, 0xFF, 0x01};  // -1 -1 +1
  EXPECT_EQ(qm::BundleSerial::Checksum(bytes, 3), 0xFFFF);
}

TEST(BundleSerialForm, RoundTripKeepsEveryItem) {
  ZBundlePtr source = Sample();
  const std::string serial = SerialOf(*source);
  ZBundlePtr copy = NewBundle();
  ASSERT_TRUE(LoadInto(*copy, serial));
  EXPECT_EQ(SerialOf(*copy), serial);
  EXPECT_EQ(copy->GetBundle(L"nested")->GetInt(L"inner", 0), 42);
  uint32_t count = 0;
  copy->GetList(L"list", &count);
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(copy->ListEntry(L"list", 1)->GetString(L"name", nullptr), L"second");
  ZBundlePtr target = NewBundle();
  target->PutInt(L"kept", 1);
  EXPECT_TRUE(source->CopyTo(target.get()));
  EXPECT_EQ(target->GetInt(L"kept", 0), 1) << "copy-to does not clear the target";
  EXPECT_EQ(target->GetInt64(L"int64", 0), 0x123456789ALL);
}

TEST(BundleLoading, ChecksumOffByOneIsRefusedBeforeAnyItem) {
  ZBundlePtr source = Sample();
  std::string serial = SerialOf(*source);
  serial[2] = static_cast<char>(serial[2] + 1);
  ZBundlePtr target = NewBundle();
  EXPECT_FALSE(LoadInto(*target, serial));
  EXPECT_EQ(target->size(), 0u);
}

TEST(BundleLoading, LoadingTwiceFailsAtTheFirstItemAndChangesNothing) {
  ZBundlePtr source = Sample();
  const std::string serial = SerialOf(*source);
  ZBundlePtr target = NewBundle();
  ASSERT_TRUE(LoadInto(*target, serial));
  const std::string before = SerialOf(*target);
  EXPECT_FALSE(LoadInto(*target, serial));
  EXPECT_EQ(SerialOf(*target), before);
  EXPECT_TRUE(LoadInto(*target, serial, true)) << "clearing first";
  EXPECT_EQ(SerialOf(*target), before);
}

TEST(BundleLoading, HeaderChecks) {
  ZBundlePtr target = NewBundle();
  const std::string empty("\x01\x00\x00\x00\x08\x00\x00\x00", 8);
  EXPECT_FALSE(target->Load(nullptr, 8, false));
  EXPECT_FALSE(target->Load(empty.data(), 0, false));
  EXPECT_FALSE(target->Load(empty.data(), 7, false));
  EXPECT_FALSE(LoadInto(*target, std::string("\x02\x00\x00\x00\x08\x00\x00\x00", 8))) << "version 2";
  EXPECT_FALSE(LoadInto(*target, std::string("\x01\x00\x00\x00\x09\x00\x00\x00", 8))) << "total past the data";
  EXPECT_FALSE(LoadInto(*target, std::string("\x01\x00\x00\x00\x04\x00\x00\x00", 8))) << "total below the header";
  EXPECT_TRUE(LoadInto(*target, empty + "trailing")) << "bytes past the total are not read";
}

TEST(BundleLoading, ItemsThatDoNotFitOrHaveAnUnknownTypeAreRefused) {
  ZBundlePtr source = NewBundle();
  source->PutInt(L"k", 1);
  std::string serial = SerialOf(*source);
  auto reseal = [](std::string form) {
    const uint16_t sum = qm::BundleSerial::Checksum(reinterpret_cast<const uint8_t*>(form.data()) + 8, form.size() - 8);
    form[2] = static_cast<char>(sum & 0xFF);
    form[3] = static_cast<char>(sum >> 8);
    return form;
  };
  ZBundlePtr target = NewBundle();
  std::string badType = serial;
  badType[8] = 9;
  EXPECT_FALSE(LoadInto(*target, reseal(badType)));
  std::string longValue = serial;
  longValue[12] = 5;  // value length 5 runs past the total
  EXPECT_FALSE(LoadInto(*target, reseal(longValue)));
  std::string shortInt = serial;
  shortInt[12] = 3;  // an int of 3 bytes cannot be read; the walk then ends off the total
  EXPECT_FALSE(LoadInto(*target, reseal(shortInt)));
  EXPECT_EQ(target->size(), 0u);
}

TEST(BundleLoading, DeepNestingIsRefusedNotRecursedInto) {
  ZBundlePtr chain = NewBundle();
  ZBundle* tail = chain.get();
  for (int i = 0; i < 100; ++i) {
    ZBundle* next = new ZBundle();
    tail->PutBundle(L"n", next);
    tail = next;
  }
  const std::string serial = SerialOf(*chain);
  ZBundlePtr target = NewBundle();
  EXPECT_FALSE(LoadInto(*target, serial));
}

TEST(BundleLoading, TruncatedFormsNeverReadPastTheirLength) {
  ZBundlePtr source = Sample();
  const std::string serial = SerialOf(*source);
  for (size_t length = 0; length < serial.size(); ++length) {
    // An exact-size heap copy: a read past it is a fault the run-time can catch.
    std::vector<char> cut(serial.begin(), serial.begin() + static_cast<std::ptrdiff_t>(length));
    ZBundlePtr target = NewBundle();
    EXPECT_FALSE(target->Load(cut.data(), static_cast<uint32_t>(cut.size()), false)) << length;
  }
}

namespace {

// Committed private memory of the process, region by region.
size_t CommittedPrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* at = nullptr;
  while (VirtualQuery(at, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

// A chain of bundles, depth deep in all, the innermost holding a binary of size bytes.
ZBundlePtr Chain(int depth, size_t size) {
  ZBundlePtr top = NewBundle();
  ZBundle* tail = top.get();
  for (int level = 1; level < depth; ++level) {
    ZBundle* next = new ZBundle();
    tail->PutBundle(L"n", next);
    tail = next;
  }
  const std::string payload(size, 'x');
  tail->PutBinary(L"payload", payload.data(), static_cast<uint32_t>(payload.size()));
  return top;
}

}  // namespace

// Another library's bundle has a table without type information the module could read: the module
// holds it, writes it through its own slot and never looks inside it.
TEST(BoundaryBundle, BundlesOfAnotherLibraryAreHeldWithoutLookingInside) {
  ZBundlePtr outer = NewBundle();
  IBundle* foreign = foreign_test::NewForeignBundle();
  foreign->PutInt(L"v", 5);
  ASSERT_TRUE(outer->PutBundle(L"f", foreign));
  EXPECT_TRUE(outer->PutBundle(L"f", foreign)) << "the bundle the key already holds";
  EXPECT_FALSE(outer->PutBundle(L"again", foreign)) << "held once already";
  IBundle* entries[] = {foreign_test::NewForeignBundle()};
  entries[0]->PutString(L"name", L"entry");
  ASSERT_TRUE(outer->ListAppend(L"l", entries, 1));
  EXPECT_TRUE(outer->ListAppendBundle(L"l", entries[0]));
  ZBundlePtr copy = NewBundle();
  ASSERT_TRUE(LoadInto(*copy, SerialOf(*outer)));
  EXPECT_EQ(copy->GetBundle(L"f")->GetInt(L"v", 0), 5);
  EXPECT_STREQ(copy->ListEntry(L"l", 1)->GetString(L"name", L""), L"entry");
}

TEST(BoundaryBundle, ABundleReachedAgainThroughAnotherLibrarysBundleIsNotWrittenForEver) {
  // outer -> foreign -> outer: the module cannot see the cycle when the foreign bundle takes it.
  ZBundle* outer = new ZBundle();
  IBundle* foreign = foreign_test::NewForeignBundle();
  ASSERT_TRUE(outer->PutBundle(L"f", foreign));
  ASSERT_TRUE(foreign->PutBundle(L"back", outer));
  uint32_t length = 7;
  EXPECT_EQ(outer->Serialize(&length), nullptr);
  EXPECT_EQ(length, 0u);
  // The cycle owns itself: it is left to the process's end rather than released round and round.
}

// Written level by level, every bundle of a deep one would keep a copy of all below it: 64 levels
// around 1 MiB would hold 64 MiB. Written once, the form is about 1 MiB.
TEST(BoundaryBundle, ADeepBundleIsWrittenOnceNotOncePerLevel) {
  const int depth = qm::BundleSerial::kMaxDepth;
  const size_t size = size_t{1} << 20;
  ZBundlePtr top = Chain(depth, size);
  const size_t before = CommittedPrivateBytes();
  const std::string serial = SerialOf(*top);
  const size_t grown = CommittedPrivateBytes() - before;
  ASSERT_GT(serial.size(), size);
  EXPECT_LT(grown, 16 * size) << "memory taken by one serialisation: " << grown << " bytes";

  ZBundlePtr copy = NewBundle();
  ASSERT_TRUE(LoadInto(*copy, serial));
  IBundle* level = copy.get();
  for (int i = 1; i < depth; ++i) level = level->GetBundle(L"n");
  ASSERT_NE(level, nullptr);
  uint32_t read = 0;
  ASSERT_NE(level->GetBinary(L"payload", &read), nullptr);
  EXPECT_EQ(read, size);
  EXPECT_EQ(SerialOf(*copy), serial);
}

TEST(BoundaryBundle, ANestedFormWithAWrongChecksumIsRefusedAtAnyDepth) {
  const int depth = 8;
  const std::string serial = SerialOf(*Chain(depth, 16));
  // Each level: its header (8 bytes), the nested item's header (8) and key "n" (2), then the next.
  const size_t step = 8 + 8 + 2;
  for (int off = 1; off <= 3; ++off) {
    std::string form = serial;
    const size_t inner = (depth - 1) * step;
    form[inner + 2] = static_cast<char>(form[inner + 2] + off);
    for (int level = depth - 2; level >= 0; --level) {  // the outer forms made right again, inside out
      const size_t at = level * step;
      const uint16_t sum =
          qm::BundleSerial::Checksum(reinterpret_cast<const uint8_t*>(form.data()) + at + 8, form.size() - at - 8);
      form[at + 2] = static_cast<char>(sum & 0xFF);
      form[at + 3] = static_cast<char>(sum >> 8);
    }
    ZBundlePtr target = NewBundle();
    EXPECT_FALSE(LoadInto(*target, form)) << off;
    EXPECT_EQ(target->size(), 0u);
  }
}
