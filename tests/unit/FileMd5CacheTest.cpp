// The exit scene's picture hashes are remembered per file version: an unchanged file is not read
// again, and every way a picture gets replaced is seen.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestFiles.h"
#include "utils/FileMd5Cache.h"
#include "utils/ZMd5.h"

namespace {

std::wstring Md5(const std::string& bytes) {
  return qm::encoding::ZMd5::HexW(qm::encoding::ZMd5::Of(bytes.data(), bytes.size()));
}

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

void SetLastWrite(const std::wstring& path, const FILETIME& time) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

}  // namespace

TEST(FileMd5Cache, AnUnchangedFileIsReadOnceAndEveryReplacementIsSeen) {
  testing_support::TempDir dir;
  const std::wstring picture = dir.File(L"picture.png");
  ASSERT_TRUE(testing_support::WriteBytes(picture, "first picture"));
  const uint64_t start = qm::FileMd5Cache::HashedCount();
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), Md5("first picture"));
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), Md5("first picture"));
  EXPECT_EQ(qm::FileMd5Cache::HashedCount(), start + 1) << "the unchanged file was read again";

  // A download: a new file of the same size and time moved over the old one.
  const FILETIME written = LastWrite(picture);
  const std::wstring download = picture + L".tmp";
  ASSERT_TRUE(testing_support::WriteBytes(download, "other picture"));
  SetLastWrite(download, written);
  ASSERT_TRUE(MoveFileExW(download.c_str(), picture.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), Md5("other picture"));

  ASSERT_TRUE(testing_support::WriteBytes(picture, "a longer third picture"));
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), Md5("a longer third picture")) << "rewritten in place";

  ASSERT_TRUE(DeleteFileW(picture.c_str()));
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), L"");
  CreateDirectoryW(picture.c_str(), nullptr);
  EXPECT_EQ(qm::FileMd5Cache::HexOf(picture), L"") << "a folder is no picture";
}
