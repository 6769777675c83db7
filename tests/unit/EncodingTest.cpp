#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TestFiles.h"
#include "utils/Base64.h"
#include "utils/ConfigDescrambler.h"
#include "utils/HmacMd5.h"
#include "utils/TextEncoding.h"
#include "utils/ZMd5.h"

using namespace qm::encoding;

namespace {

std::string Md5Hex(const std::string& text) { return ZMd5::Hex(ZMd5::Of(text.data(), text.size())); }

std::string RandomBytes(size_t length, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(length, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator());
  return bytes;
}

}  // namespace

TEST(Md5, MatchesTheRfc1321TestSuite) {
  EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  std::string eightyDigits;
  for (int i = 0; i < 8; ++i) eightyDigits += "1234567890";
  EXPECT_EQ(Md5Hex(eightyDigits), "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecewiseUpdatesEqualOneShotAtEveryBlockBoundary) {
  const std::string data = RandomBytes(1000, 7);
  const std::string expected = ZMd5::Hex(ZMd5::Of(data.data(), data.size()));
  for (size_t piece : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 127u, 128u, 999u}) {
    ZMd5 md5;
    for (size_t offset = 0; offset < data.size(); offset += piece) {
      md5.Update(data.data() + offset, std::min(piece, data.size() - offset));
    }
    EXPECT_EQ(ZMd5::Hex(md5.Final()), expected) << "piece " << piece;
  }
  // Lengths around the 56-byte padding mark, checked against known digests.
  EXPECT_EQ(Md5Hex(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Md5Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Md5Hex(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(Md5, FileDigestEqualsDigestOfItsBytes) {
  testing_support::TempDir dir;
  for (size_t size : {0u, 4095u, 4096u, 4097u, 3u * 4096u + 17u}) {
    const std::string bytes = RandomBytes(size, static_cast<unsigned>(size));
    const std::wstring path = dir.File(L"blob" + std::to_wstring(size));
    ASSERT_TRUE(testing_support::WriteBytes(path, bytes));
    Md5Digest digest{};
    ASSERT_TRUE(ZMd5::OfFile(path, digest));
    EXPECT_EQ(ZMd5::Hex(digest), ZMd5::Hex(ZMd5::Of(bytes.data(), bytes.size()))) << size;
  }
  Md5Digest digest{};
  EXPECT_FALSE(ZMd5::OfFile(dir.File(L"missing"), digest));
}

TEST(Md5, HexIsLowerCase32Digits) {
  const std::wstring hex = ZMd5::HexW(ZMd5::Of("", 0));
  EXPECT_EQ(hex, L"d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(hex.find_first_not_of(L"0123456789abcdef"), std::wstring::npos);
}

TEST(HmacMd5, MatchesPublishedVectors) {
  EXPECT_EQ(ZMd5::Hex(HmacMd5(std::string(16, '\x0b'), "Hi There")), "9294727a3638bb1c13f48ef8158bfc9d");
  EXPECT_EQ(ZMd5::Hex(HmacMd5("Jefe", "what do ya want for nothing?")), "750c783e6ab0b503eaa86e310a5db738");
  EXPECT_EQ(ZMd5::Hex(HmacMd5(std::string(16, '\xaa'), std::string(50, '\xdd'))),
            "56be34521d144c88dbb8c733f0e8b3f6");
  // A key longer than the block is hashed first.
  EXPECT_EQ(ZMd5::Hex(HmacMd5(std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First")),
            "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd");
}

TEST(Base64, MatchesRfc4648VectorsBothWays) {
  const std::pair<std::string, std::string> vectors[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : vectors) {
    EXPECT_EQ(Base64Encode(plain), encoded);
    std::string decoded = "stale";
    EXPECT_TRUE(Base64Decode(encoded, decoded)) << encoded;
    EXPECT_EQ(decoded, plain);
  }
  EXPECT_EQ(Base64Encode(std::string("\xff\xfe\x3e", 3)), "//4+");
  std::string decoded;
  EXPECT_TRUE(Base64Decode("Zm8", decoded)) << "unpadded last group of three";
  EXPECT_EQ(decoded, "fo");
  EXPECT_TRUE(Base64Decode("Zg", decoded)) << "unpadded last group of two";
  EXPECT_EQ(decoded, "f");
}

TEST(Base64, RefusesTextThatIsNotWholeGroups) {
  for (const char* bad : {"Z", "Zg=", "Zg===", "Zm9v!", "Zm9vZ", "Zm8==", "=", "==", "Zm9v===="}) {
    std::string decoded;
    EXPECT_FALSE(Base64Decode(bad, decoded)) << bad;
  }
}

TEST(Base64, ReportsTheSizeNeededAndNeverOverrunsTheBuffer) {
  const uint8_t bytes[] = {1, 2, 3, 4};
  char out[9];
  std::memset(out, '#', sizeof(out));
  size_t length = 0;
  EXPECT_EQ(Base64Encode(bytes, 4, out, 8, &length), kBase64BufferTooSmall);
  EXPECT_EQ(length, 9u);
  EXPECT_EQ(out[0], '#');
  EXPECT_EQ(Base64Encode(bytes, 4, out, 9, &length), kBase64Ok);
  EXPECT_STREQ(out, "AQIDBA==");
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(Base64Encode(nullptr, 4, out, 9, &length), kBase64InvalidArgument);
  EXPECT_EQ(Base64Marker(), L"<|b64|>");
}

TEST(TextEncoding, RoundTripsUtf8AndCodePages) {
  const std::wstring text = L"Wystan \u65b0\u7528\u6237 \U0001F600 end";
  const std::string utf8 = WideToUtf8(text);
  EXPECT_EQ(utf8, "Wystan \xe6\x96\xb0\xe7\x94\xa8\xe6\x88\xb7 \xf0\x9f\x98\x80 end");
  EXPECT_EQ(Utf8ToWide(utf8), text);
  EXPECT_EQ(WideToMultiByte(L"plain", CP_ACP), "plain");
  EXPECT_EQ(Utf8ToWide(""), L"");
  // A long string goes through whole.
  const std::wstring longText(200000, L'\u00e9');
  EXPECT_EQ(Utf8ToWide(WideToUtf8(longText)), longText);
  EXPECT_EQ(ToLower(L"TryNo \u00c9"), L"tryno \u00e9");
}

TEST(ConfigDescrambler, RefusesEmptyInputAndRoundTripsEveryGroupSize) {
  uint8_t untouched = 0x41;
  EXPECT_FALSE(ConfigDescrambler::DescrambleInPlace(&untouched, 0));
  EXPECT_EQ(untouched, 0x41);
  EXPECT_FALSE(ConfigDescrambler::DescrambleInPlace(nullptr, 5));

  const std::string plain = RandomBytes(64 * 3 + 4 * 2 + 3, 11);
  std::vector<uint8_t> buffer(plain.size() + 1);
  uint8_t* unaligned = buffer.data() + 1;  // groups must not rely on alignment
  std::memcpy(unaligned, plain.data(), plain.size());
  ASSERT_TRUE(ConfigDescrambler::DescrambleInPlace(unaligned, plain.size()));
  for (size_t i = 0; i < plain.size(); ++i) {
    ASSERT_EQ(unaligned[i], static_cast<uint8_t>(plain[i]) ^ ConfigDescrambler::kKeyByte) << i;
  }
  ASSERT_TRUE(ConfigDescrambler::DescrambleInPlace(unaligned, plain.size()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(unaligned), plain.size()), plain);
}
