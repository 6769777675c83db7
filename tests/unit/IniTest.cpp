#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include "TestFiles.h"
#include "utils/ZIniReader.h"
#include "utils/ZIniWrapEx.h"

using qm::ZIniReader;
using qm::ZIniWrapEx;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::wstring Value(const ZIniWrapEx& ini, const std::wstring& section, const std::wstring& key) {
  const std::wstring* value = ini.Find(section, key);
  return value ? *value : L"<missing>";
}

}  // namespace

TEST(IniParsing, FoldsCaseTrimsAndSplitsAtTheFirstEquals) {
  TempDir dir;
  const std::wstring path = dir.File(L"a.ini");
  ASSERT_TRUE(WriteBytes(path, kBom + "[Common]\r\nTryNo=7\r\n[ a b ]\r\n\tKey = Value \r\na=b=c\r\n\r\nempty=\r\n"));
  ZIniWrapEx ini;
  ASSERT_TRUE(ini.Load(path));
  EXPECT_EQ(Value(ini, L"common", L"tryno"), L"7");
  EXPECT_EQ(Value(ini, L"COMMON", L"TRYNO"), L"7");
  EXPECT_EQ(Value(ini, L"a b", L"key"), L"Value");
  EXPECT_EQ(Value(ini, L"a b", L"a"), L"b=c");
  EXPECT_EQ(Value(ini, L"a b", L"empty"), L"");

  ZIniReader reader;
  ASSERT_TRUE(reader.Load(path));
  EXPECT_EQ(reader.GetInt(L"Common", L"TryNo", -1), 7);
  EXPECT_EQ(reader.GetString(L"common", L"nothing", L"dflt"), L"dflt");
  EXPECT_EQ(reader.GetInt(L"nosection", L"tryno", -1), -1);
}

TEST(IniParsing, CommentLikeAndBadLinesEndTheParseKeepingWhatCameBefore) {
  TempDir dir;
  const std::wstring path = dir.File(L"c.ini");
  ASSERT_TRUE(WriteBytes(path, "junk before\n[common]\nfirst=1\n; a comment\nsecond=2\n"));
  ZIniWrapEx ini;
  EXPECT_TRUE(ini.Load(path)) << "the wrapper reports the read, not the parse";
  EXPECT_EQ(Value(ini, L"common", L"first"), L"1");
  EXPECT_EQ(Value(ini, L"common", L"second"), L"<missing>");

  ZIniReader reader;
  EXPECT_FALSE(reader.Load(path));
  EXPECT_EQ(reader.GetInt(L"common", L"first", -1), 1);
  EXPECT_EQ(reader.GetInt(L"common", L"second", -1), -1);

  // "; x=1" is a pair, not a comment; "[]" and "=v" fail.
  ZIniWrapEx pairs;
  EXPECT_TRUE(pairs.Parse(L"[s]\n; x=1\n# y=2\n"));
  EXPECT_EQ(Value(pairs, L"s", L"; x"), L"1");
  ZIniWrapEx emptyHeader;
  EXPECT_FALSE(emptyHeader.Parse(L"[]\na=1"));
  ZIniWrapEx emptyKey;
  EXPECT_FALSE(emptyKey.Parse(L"[s]\n  =v\n"));
  ZIniWrapEx noBracket;
  EXPECT_FALSE(noBracket.Parse(L"a=1\nb=2\n"));
  EXPECT_TRUE(noBracket.Sections().empty());
  // A first "[" line that is no header is a pair under the empty section.
  ZIniWrapEx openBracket;
  EXPECT_TRUE(openBracket.Parse(L"[x=1\n[s]\ny=2"));
  EXPECT_EQ(Value(openBracket, L"", L"[x"), L"1");
  EXPECT_EQ(Value(openBracket, L"s", L"y"), L"2");
}

TEST(IniParsing, ReaderIntegerRuleAndShortFiles) {
  TempDir dir;
  const std::wstring path = dir.File(L"r.ini");
  ASSERT_TRUE(WriteBytes(path, "[common]\na= 42abc\nb=-7\nc=x\n"));
  ZIniReader reader;
  ASSERT_TRUE(reader.Load(path));
  EXPECT_EQ(reader.GetInt(L"common", L"a", 0), 42);
  EXPECT_EQ(reader.GetInt(L"common", L"b", 0), -7);
  EXPECT_EQ(reader.GetInt(L"common", L"c", 5), 0);

  ASSERT_TRUE(WriteBytes(path, "[a"));
  EXPECT_FALSE(reader.Load(path)) << "fewer than three bytes";
  EXPECT_FALSE(reader.Load(dir.File(L"missing.ini")));
}

TEST(IniFiles, TwoMebibytesAreReadOneByteMoreIsNot) {
  TempDir dir;
  const std::wstring path = dir.File(L"big.ini");
  std::string text = "[common]\r\nkey=value\r\n";
  text += std::string(2097152 - text.size(), ' ');
  ASSERT_TRUE(WriteBytes(path, text));
  ZIniWrapEx ini;
  EXPECT_TRUE(ini.Load(path));
  EXPECT_EQ(Value(ini, L"common", L"key"), L"value");
  ASSERT_TRUE(WriteBytes(path, text + " "));
  EXPECT_FALSE(ini.Load(path));
  EXPECT_TRUE(ini.Sections().empty());
}

TEST(IniFiles, SaveWritesBomCrLfAndSortedSections) {
  TempDir dir;
  const std::wstring path = dir.File(L"state.ini");
  ZIniWrapEx ini;
  ini.Set(L"B", L"Zeta", L"1");
  ini.Set(L"b", L"alpha", L"\u4e2d");
  ini.Set(L"a", L"k", L"v");
  ini.Set(L"b", L"ZETA", L"2");
  ASSERT_TRUE(ini.Save(path));
  EXPECT_EQ(ReadBytes(path), kBom + "[a]\r\nk=v\r\n[b]\r\nalpha=\xe4\xb8\xad\r\nzeta=2\r\n");

  ZIniWrapEx reloaded;
  ASSERT_TRUE(reloaded.Load(path));
  EXPECT_EQ(reloaded.Sections(), ini.Sections());
}

TEST(IniFiles, PairsWithoutASectionAreNotWrittenSoNoSectionIsLost) {
  TempDir dir;
  const std::wstring path = dir.File(L"state.ini");
  ZIniWrapEx ini;
  ini.Parse(L"[x=1\n[s]\ny=2");
  ini.Set(L"", L"loose", L"3");
  ASSERT_EQ(Value(ini, L"", L"[x"), L"1") << "a damaged header is a pair before any section";
  ASSERT_TRUE(ini.Save(path));
  EXPECT_EQ(ReadBytes(path), kBom + "[s]\r\ny=2\r\n");

  ZIniWrapEx reloaded;
  ASSERT_TRUE(reloaded.Load(path));
  EXPECT_EQ(Value(reloaded, L"s", L"y"), L"2");
}

TEST(IniFiles, FailedSaveLeavesThePreviousFileIntact) {
  TempDir dir;
  const std::wstring path = dir.File(L"sdkutilcfg.ini");
  const std::string original = kBom + "[new_user_discount]\r\nlast_show_time=1700000000\r\n";
  ASSERT_TRUE(WriteBytes(path, original));
  ZIniWrapEx ini;
  ASSERT_TRUE(ini.Load(path));
  ini.Set(L"new_user_discount", L"last_show_time", L"1800000000");

  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(ini.Save(path));
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(path), original);

  // Another process reading it (no delete sharing) keeps it in place.
  HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ini.Save(path));
  CloseHandle(reader);
  EXPECT_EQ(ReadBytes(path), original);

  // Nothing is left behind beside it.
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((dir.path() + L"\\*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);

  EXPECT_FALSE(ini.Save(dir.File(L"no-such-folder\\x.ini")));
  ASSERT_TRUE(ini.Save(path));
  ZIniWrapEx reloaded;
  ASSERT_TRUE(reloaded.Load(path));
  EXPECT_EQ(Value(reloaded, L"new_user_discount", L"last_show_time"), L"1800000000");
}

// Random bytes are the fuzz pass's (hardening_ini); here the two edges it cannot make.
TEST(IniBadInput, TruncatedUtf8AndHugeFilesGiveACleanAnswer) {
  TempDir dir;
  const std::wstring path = dir.File(L"bad.ini");
  ASSERT_TRUE(WriteBytes(path, "[common]\nname=\xe4\xb8"));  // cut inside a character
  ZIniReader reader;
  EXPECT_TRUE(reader.Load(path));
  EXPECT_FALSE(reader.GetString(L"common", L"name", L"").empty());

  // A 3 GiB sparse file is refused without being read.
  const std::wstring huge = dir.File(L"huge.ini");
  HANDLE file = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER size{};
  size.QuadPart = 3LL * 1024 * 1024 * 1024;
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  ZIniWrapEx ini;
  EXPECT_FALSE(ini.Load(huge));
  EXPECT_FALSE(reader.Load(huge));
}
