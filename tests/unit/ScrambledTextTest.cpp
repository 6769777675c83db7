#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestFiles.h"
#include "utils/ScrambledText.h"

namespace {

using namespace qm::scramble;

constexpr auto kTableName = TableScrambled(L"quillhelper-test-name.exe");
constexpr Key9 kCallerKey = {0x1234, 0x0F0F, 0x7A7A, 0x0101, 0x5555, 0x2222, 0x6B6B, 0x3C3C, 0x4444};
constexpr auto kKeyedName = KeyScrambled(L"https://keyed-test-endpoint.example/api", kCallerKey);

// Built at run time from narrow text, so the test itself does not put the UTF-16 form in the binary.
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

}  // namespace

TEST(ScrambledText, RevealsTheOriginalText) {
  EXPECT_EQ(kTableName.Reveal(), Widen("quillhelper-test-name.exe"));
  EXPECT_EQ(kKeyedName.Reveal(kCallerKey), Widen("https://keyed-test-endpoint.example/api"));
  Key9 wrongKey = kCallerKey;
  wrongKey[8] ^= 1;
  EXPECT_NE(kKeyedName.Reveal(wrongKey), Widen("https://keyed-test-endpoint.example/api"));
  constexpr auto kEmpty = TableScrambled(L"");
  EXPECT_EQ(kEmpty.Reveal(), L"");
}

TEST(ScrambledText, PlainTextNeverReachesTheBinary) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::string image = testing_support::ReadBytes(self);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(image.find(Utf16Bytes(Widen("quillhelper-test-name.exe"))), std::string::npos);
  EXPECT_EQ(image.find(Utf16Bytes(Widen("keyed-test-endpoint"))), std::string::npos);
  // The scrambled units are there.
  EXPECT_NE(image.find(std::string(reinterpret_cast<const char*>(kTableName.units.data()),
                                   kTableName.units.size() * sizeof(wchar_t))),
            std::string::npos);
}
