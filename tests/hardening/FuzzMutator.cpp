#include "FuzzMutator.h"

#include <algorithm>
#include <cctype>

namespace hardening {

namespace {

const char* const kHugeNumbers[] = {"4294967296", "2147483648", "-2147483649", "9223372036854775808",
                                    "-9223372036854775809", "18446744073709551616", "99999999999999999999999",
                                    "-0", "00000000000000000001", "1e400", "0x7FFFFFFF", "-", "+1", "1.5"};

// Overlong forms, lone surrogates, values past U+10FFFF, stray continuation bytes, cut sequences.
const char* const kBadUtf8[] = {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",
                                "\xF8\x88\x80\x80\x80", "\x80", "\xBF", "\xFE", "\xFF", "\xC3", "\xE4\xB8",
                                "\xF0\x9F\x98", "\xEF\xBB\xBF", "\x00"};

// UTF-16LE units: lone high and low surrogates, a reversed pair, non-characters, NUL.
const char* const kBadUtf16[] = {"\x00\xD8", "\x00\xDC", "\x00\xDC\x00\xD8", "\xFF\xFF", "\xFE\xFF", "\x00\x00"};
const size_t kBadUtf16Length[] = {2, 2, 4, 2, 2, 2};

}  // namespace

FuzzMutator::FuzzMutator(FuzzRandom& random, std::vector<std::string> corpus, std::vector<std::string> tokens,
                         std::vector<std::string> openers)
    : random_(random), corpus_(std::move(corpus)), tokens_(std::move(tokens)), openers_(std::move(openers)) {
  if (corpus_.empty()) corpus_.emplace_back();
  if (tokens_.empty()) tokens_.emplace_back(" ");
  if (openers_.empty()) openers_.emplace_back("(");
}

void FuzzMutator::Remember(const std::string& input) {
  if (input.size() > 16 * 1024) return;
  if (pool_.size() < 256) {
    pool_.push_back(input);
  } else {
    pool_[random_.Below(pool_.size())] = input;
  }
}

std::string FuzzMutator::Next() {
  std::string data = !pool_.empty() && random_.OneIn(3) ? pool_[random_.Below(pool_.size())]
                                                        : corpus_[random_.Below(corpus_.size())];
  const size_t rounds = 1 + random_.Below(random_.OneIn(4) ? 8 : 3);
  for (size_t i = 0; i < rounds; ++i) MutateOnce(data);
  if (data.size() > kMaxInput) data.resize(kMaxInput);
  return data;
}

void FuzzMutator::MutateOnce(std::string& data) {
  switch (random_.Below(20)) {
    case 0: case 1: case 2: FlipBits(data); break;
    case 3: case 4: InsertBytes(data); break;
    case 5: case 6: DeleteRange(data); break;
    case 7: data.resize(Position(data)); break;  // truncation
    case 8: case 9: Splice(data); break;
    case 10: case 11: case 12: InsertToken(data); break;
    case 13: Nest(data); break;
    case 14: case 15: HugeNumber(data); break;
    case 16: BadUtf8(data); break;
    case 17: BadUtf16(data); break;
    case 18: LongToken(data); break;
    default: CopyRange(data); break;
  }
}

void FuzzMutator::FlipBits(std::string& data) {
  if (data.empty()) return InsertBytes(data);
  const size_t flips = 1 + random_.Below(4);
  for (size_t i = 0; i < flips; ++i) data[random_.Below(data.size())] ^= static_cast<char>(1u << random_.Below(8));
}

void FuzzMutator::InsertBytes(std::string& data) {
  std::string bytes(1 + random_.Below(8), '\0');
  for (char& c : bytes) c = static_cast<char>(random_.Byte());
  data.insert(Position(data), bytes);
}

void FuzzMutator::DeleteRange(std::string& data) {
  if (data.empty()) return;
  const size_t at = random_.Below(data.size());
  data.erase(at, 1 + random_.Below(random_.OneIn(4) ? 256 : 16));
}

void FuzzMutator::Splice(std::string& data) {
  const std::string& other = corpus_[random_.Below(corpus_.size())];
  data = data.substr(0, Position(data)) + other.substr(random_.Below(other.size() + 1));
}

void FuzzMutator::InsertToken(std::string& data) {
  data.insert(Position(data), tokens_[random_.Below(tokens_.size())]);
}

void FuzzMutator::Nest(std::string& data) {
  const std::string& opener = openers_[random_.Below(openers_.size())];
  // Mostly beyond any sane depth; sometimes just around the limits parsers set (64, 500, 512).
  const size_t depth = random_.OneIn(2) ? 40 + random_.Below(600) : 1000 + random_.Below(20000);
  std::string nest;
  nest.reserve(opener.size() * depth);
  for (size_t i = 0; i < depth && nest.size() < kMaxInput; ++i) nest += opener;
  data.insert(Position(data), nest);
}

void FuzzMutator::HugeNumber(std::string& data) {
  std::string number;
  if (random_.OneIn(2)) {
    number = kHugeNumbers[random_.Below(sizeof(kHugeNumbers) / sizeof(kHugeNumbers[0]))];
  } else {
    if (random_.OneIn(3)) number = "-";
    const size_t digits = 10 + random_.Below(random_.OneIn(8) ? 4000 : 40);
    for (size_t i = 0; i < digits; ++i) number += static_cast<char>('0' + random_.Below(10));
  }
  const size_t at = Position(data);
  // Either next to what is there or in place of a number already in the text.
  size_t end = at;
  while (random_.OneIn(2) && end < data.size() && (std::isdigit(static_cast<unsigned char>(data[end])) || data[end] == '-')) ++end;
  data.replace(at, end - at, number);
}

void FuzzMutator::BadUtf8(std::string& data) {
  const char* bytes = kBadUtf8[random_.Below(sizeof(kBadUtf8) / sizeof(kBadUtf8[0]))];
  const size_t length = *bytes ? std::char_traits<char>::length(bytes) : 1;
  data.insert(Position(data), std::string(bytes, length));
}

void FuzzMutator::BadUtf16(std::string& data) {
  const size_t pick = random_.Below(sizeof(kBadUtf16Length) / sizeof(kBadUtf16Length[0]));
  size_t at = Position(data);
  if (random_.OneIn(2)) at &= ~size_t{1};  // on a unit boundary
  data.insert(at, std::string(kBadUtf16[pick], kBadUtf16Length[pick]));
}

void FuzzMutator::LongToken(std::string& data) {
  std::string piece = random_.OneIn(2) ? tokens_[random_.Below(tokens_.size())]
                                       : std::string(1, static_cast<char>(random_.OneIn(2) ? 'a' + random_.Below(26)
                                                                                          : random_.Byte()));
  if (piece.empty()) piece = "a";
  const size_t length = 1024 + random_.Below(random_.OneIn(4) ? 128 * 1024 : 8 * 1024);
  std::string token;
  token.reserve(length + piece.size());
  while (token.size() < length) token += piece;
  data.insert(Position(data), token);
}

void FuzzMutator::CopyRange(std::string& data) {
  if (data.empty()) return;
  const size_t from = random_.Below(data.size());
  const size_t length = 1 + random_.Below(std::min<size_t>(data.size() - from, 512));
  data.insert(Position(data), data.substr(from, length));
}

}  // namespace hardening
