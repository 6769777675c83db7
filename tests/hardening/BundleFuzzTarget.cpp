#include "BundleFuzzTarget.h"

#include <cstring>

#include "BundleReference.h"
#include "utils/bundle/BundleSerial.h"
#include "utils/bundle/ZBundle.h"

namespace hardening {

using qm::BundleSerial;
using qm::ZBundle;
using qm::ZBundlePtr;

namespace {

std::string Serialized(ZBundle& bundle) {
  uint32_t length = 0;
  const void* bytes = bundle.Serialize(&length);
  return bytes ? std::string(static_cast<const char*>(bytes), length) : std::string();
}

std::string U16(uint16_t value) { return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }
std::string U32(uint32_t value) { return U16(static_cast<uint16_t>(value)) + U16(static_cast<uint16_t>(value >> 16)); }

void PutU16(std::string& data, size_t at, uint16_t value) {
  data[at] = static_cast<char>(value & 0xFF);
  data[at + 1] = static_cast<char>(value >> 8);
}

uint32_t GetU32(const std::string& data, size_t at) {
  return static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1]) << 8 |
         static_cast<uint8_t>(data[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(data[at + 3])) << 24;
}

}  // namespace

std::vector<std::string> BundleFuzzTarget::Corpus() {
  std::vector<std::string> corpus;
  ZBundlePtr empty(new ZBundle());
  corpus.push_back(Serialized(*empty));

  ZBundlePtr user(new ZBundle());
  user->PutInt(L"vip_type", 3);
  user->PutInt64(L"expire", 1893456000123ll);
  user->PutDouble(L"score", 12.5);
  user->PutPointer(L"cookie", reinterpret_cast<void*>(0x1234));
  user->PutString(L"open_id", L"o-123 \x4e2d\x6587");
  user->PutBinary(L"blob", "\x00\x01\x02\xFF", 4);
  corpus.push_back(Serialized(*user));

  ZBundlePtr outer(new ZBundle());
  ZBundle* inner = new ZBundle();
  inner->PutString(L"nick", L"n");
  ZBundle* deeper = new ZBundle();
  deeper->PutInt(L"level", 7);
  inner->PutBundle(L"deeper", deeper);
  outer->PutBundle(L"user", inner);
  for (int i = 0; i < 3; ++i) {
    ZBundlePtr entry(new ZBundle());
    entry->PutInt(L"index", i);
    entry->PutString(L"name", std::wstring(static_cast<size_t>(i) + 1, L'x').c_str());
    outer->ListAppendBundle(L"list", entry.get());
  }
  outer->PutString(L"", L"empty key");
  corpus.push_back(Serialized(*outer));

  // A chain nested close to the loader's depth limit.
  ZBundle* chain = new ZBundle();
  chain->PutInt(L"leaf", 1);
  for (int level = 0; level < 60; ++level) {
    ZBundle* parent = new ZBundle();
    parent->PutBundle(L"n", chain);
    chain = parent;
  }
  corpus.push_back(Serialized(*chain));
  chain->Release();
  return corpus;
}

std::vector<std::string> BundleFuzzTarget::Tokens() const {
  // Item headers of every type, with and without room for what they announce.
  std::vector<std::string> tokens;
  for (uint16_t type = 0; type <= 9; ++type) {
    tokens.push_back(U16(type) + U16(1) + U32(4) + std::string("k\0\x01\x00\x00\x00", 6));
    tokens.push_back(U16(type) + U16(0xFFFF) + U32(0xFFFFFFF0u));
  }
  tokens.push_back(U16(1) + U16(0) + U32(8) + U32(8));  // an empty nested form
  tokens.push_back(U32(0x7FFFFFFF));
  tokens.push_back(U32(0));
  return tokens;
}

std::vector<std::string> BundleFuzzTarget::Openers() const {
  // A nested-bundle item header with a zero length, repaired by Adjust.
  return {U16(7) + U16(1) + U32(0) + std::string("n\0", 2) + U16(1) + U16(0) + U32(0),
          U16(8) + U16(0) + U32(0) + U16(1) + U16(0) + U32(0)};
}

// Fixes checksums (and with lengths, total and value lengths) from the inside out. Sums are
// 64-bit: announced lengths near 4 GiB must not wrap a 32-bit size.
void BundleFuzzTarget::Repair(std::string& data, size_t offset, size_t length, int depth, bool lengths) {
  if (length < BundleSerial::kHeaderSize || depth > 80) return;
  uint64_t total = GetU32(data, offset + 4);
  if (lengths || total > length || total < BundleSerial::kHeaderSize) {
    total = length;
    data.replace(offset + 4, 4, U32(static_cast<uint32_t>(total)));
  }
  uint64_t at = offset + BundleSerial::kHeaderSize;
  const uint64_t end = offset + total;
  while (end - at >= BundleSerial::kItemHeaderSize) {
    const size_t item = static_cast<size_t>(at);
    const uint16_t type = static_cast<uint16_t>(static_cast<uint8_t>(data[item]) | static_cast<uint8_t>(data[item + 1]) << 8);
    const uint64_t keyBytes = 2 * uint64_t(static_cast<uint8_t>(data[item + 2]) | static_cast<uint8_t>(data[item + 3]) << 8);
    uint64_t valueLength = GetU32(data, item + 4);
    const uint64_t valueAt = at + BundleSerial::kItemHeaderSize + keyBytes;
    if (valueAt > end) break;
    if (lengths && (type == 7 || type == 8) && valueAt + valueLength > end) {
      valueLength = end - valueAt;
      data.replace(item + 4, 4, U32(static_cast<uint32_t>(valueLength)));
    }
    if (valueAt + valueLength > end) break;
    if (type == 7) Repair(data, static_cast<size_t>(valueAt), static_cast<size_t>(valueLength), depth + 1, lengths);
    if (type == 8) {
      uint64_t entry = valueAt;
      while (valueAt + valueLength - entry >= BundleSerial::kHeaderSize) {
        const uint64_t entryTotal = GetU32(data, static_cast<size_t>(entry) + 4);
        if (entryTotal < BundleSerial::kHeaderSize || entryTotal > valueAt + valueLength - entry) break;
        Repair(data, static_cast<size_t>(entry), static_cast<size_t>(entryTotal), depth + 1, false);
        entry += entryTotal;
      }
    }
    at = valueAt + valueLength;
  }
  const auto* body = reinterpret_cast<const uint8_t*>(data.data()) + offset + BundleSerial::kHeaderSize;
  PutU16(data, offset + 2, BundleSerial::Checksum(body, static_cast<size_t>(total) - BundleSerial::kHeaderSize));
}

void BundleFuzzTarget::Adjust(std::string& input, FuzzRandom& random) {
  if (random.OneIn(4) || input.size() < BundleSerial::kHeaderSize) return;
  if (random.OneIn(4)) PutU16(input, 0, 1);  // the version
  Repair(input, 0, input.size(), 0, random.OneIn(2));
}

FuzzVerdict BundleFuzzTarget::Run(const std::string& input) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(input.data());
  const uint32_t length = static_cast<uint32_t>(input.size());
  uint32_t total = 0;
  const bool expected = BundleReference::Valid(bytes, length, 0, total);
  ZBundlePtr bundle(new ZBundle());
  FuzzVerdict verdict = FuzzVerdict::Accepted(bundle->Load(bytes, length, true));
  verdict.Check(verdict.accepted == expected, expected ? "a valid form was refused" : "an invalid form was accepted");
  if (!verdict.accepted || !expected) return verdict;

  const std::string first = Serialized(*bundle);
  uint32_t firstTotal = 0;
  verdict.Check(!first.empty(), "an accepted bundle does not serialise")
      .Check(BundleReference::Valid(reinterpret_cast<const uint8_t*>(first.data()), static_cast<uint32_t>(first.size()), 0,
                                    firstTotal) && firstTotal == first.size(),
             "the serialised form breaks the rules");
  ZBundlePtr copy(new ZBundle());
  verdict.Check(bundle->CopyTo(copy.get()), "an accepted bundle does not copy")
      .Check(Serialized(*copy) == first, "the copy serialises differently");
  if (bundle->size() > 0) {
    verdict.Check(!bundle->Load(bytes, length, false), "the same items were loaded twice")
        .Check(Serialized(*bundle) == first, "a refused second load changed the bundle");
  }
  return verdict;
}

}  // namespace hardening
