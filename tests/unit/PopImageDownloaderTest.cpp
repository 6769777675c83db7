// The pictures' refresh against a recorded download: content-addressed URLs, nothing fetched when
// the local file matches, nothing left behind when the download does not.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "ui/PopImageDownloader.h"
#include "utils/ZMd5.h"

using testing_support::TempDir;
using ui::PopImageDownloader;

namespace {

std::wstring Md5Of(const std::string& bytes) {
  return qm::encoding::ZMd5::HexW(qm::encoding::ZMd5::Of(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

// Serves bytes by URL and records what was asked.
struct RecordedServer {
  std::map<std::wstring, std::string> content;
  std::vector<std::wstring> asked;
  PopImageDownloader::DownloadFn Fn() {
    return [this](const std::wstring& url, const std::wstring& file) {
      asked.push_back(url);
      const auto found = content.find(url);
      if (found == content.end()) return 404;
      return testing_support::WriteBytes(file, found->second) ? 0 : 1;
    };
  }
};

}  // namespace

TEST(PopImages, MatchingFileIsKeptAndAStaleOneIsReplaced) {
  TempDir dir;
  RecordedServer server;
  const std::string picture = "picture bytes";
  const std::wstring url = L"http://cdn.invalid/img/" + Md5Of(picture) + L".png";
  server.content[url] = picture;
  PopImageDownloader downloader(server.Fn());
  const std::wstring path = dir.File(L"a.png");
  ASSERT_TRUE(testing_support::WriteBytes(path, "stale"));
  EXPECT_TRUE(downloader.CheckAndDownload(url, path));
  EXPECT_EQ(testing_support::ReadBytes(path), picture);
  EXPECT_FALSE(testing_support::FileExists(path + L".tmp"));
  EXPECT_FALSE(downloader.CheckAndDownload(url, path)) << "already matching";
  EXPECT_EQ(server.asked.size(), 1u) << "no second request";
}

TEST(PopImages, WrongContentLeavesNeitherTheOldNorTheTemporaryFile) {
  TempDir dir;
  RecordedServer server;
  const std::wstring url = L"http://cdn.invalid/" + Md5Of("expected") + L".png";
  server.content[url] = "something else";
  PopImageDownloader downloader(server.Fn());
  const std::wstring path = dir.File(L"b.png");
  ASSERT_TRUE(testing_support::WriteBytes(path, "old"));
  EXPECT_FALSE(downloader.CheckAndDownload(url, path));
  EXPECT_FALSE(testing_support::FileExists(path));
  EXPECT_FALSE(testing_support::FileExists(path + L".tmp"));
  EXPECT_FALSE(downloader.CheckAndDownload(L"", path));
  EXPECT_FALSE(downloader.CheckAndDownload(L"http://cdn.invalid/", path)) << "no name to compare with";
}

TEST(PopImages, UpperCaseNamesAndNamesWithoutADotWork) {
  TempDir dir;
  RecordedServer server;
  const std::string bytes = "close button";
  std::wstring upper = Md5Of(bytes);
  for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
  const std::wstring url = L"http://cdn.invalid/x/" + upper;  // no extension at all
  server.content[url] = bytes;
  PopImageDownloader downloader(server.Fn());
  EXPECT_TRUE(downloader.CheckAndDownload(url, dir.File(L"c.png")));
}

TEST(PopImages, EqualUrlsAreFetchedOnceUnderTheNameAssignedLast) {
  TempDir dir;
  RecordedServer server;
  const std::string shared = "shared picture", confirm = "confirm picture";
  const std::wstring sharedUrl = L"http://cdn.invalid/" + Md5Of(shared) + L".png";
  const std::wstring confirmUrl = L"http://cdn.invalid/" + Md5Of(confirm) + L".png";
  server.content = {{sharedUrl, shared}, {confirmUrl, confirm}};
  PopImageDownloader downloader(server.Fn());
  downloader.Refresh(sharedUrl, sharedUrl, confirmUrl, dir.path() + L"\\");
  EXPECT_EQ(server.asked.size(), 2u);
  EXPECT_TRUE(testing_support::FileExists(dir.File(PopImageDownloader::kClose)));
  EXPECT_FALSE(testing_support::FileExists(dir.File(PopImageDownloader::kBackground)));
  EXPECT_TRUE(testing_support::FileExists(dir.File(PopImageDownloader::kConfirm)));
}
