#include "ui/PopImageDownloader.h"

#include <windows.h>

#include "strategy/PopImageChecker.h"
#include "utils/Log.h"
#include "uxwin/UxEngine.h"
#include "uxwin/skin/UxFilePictures.h"

namespace ui {

using strategy::PopImageChecker;

void PopImageDownloader::Refresh(const std::wstring& backgroundUrl, const std::wstring& closeUrl,
                                 const std::wstring& confirmUrl, const std::wstring& folder, HANDLE stop) {
  bool allInPlace = true;
  std::vector<std::wstring> files;
  for (const auto& [url, path] : PopImageChecker::Files(backgroundUrl, closeUrl, confirmUrl, folder)) {
    if (stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return;
    bool inPlace = false;
    Fetch(url, path, inPlace);
    allInPlace = allInPlace && inPlace;
    files.push_back(path);
  }
  if (allInPlace && onPicturesReady_) onPicturesReady_(files);
}

void PopImageDownloader::WarmUpEngine(const std::vector<std::wstring>& files) {
  UxEngine::WarmUp();
  // Decoded here, off the UI thread; the window takes them from the picture cache.
  for (const std::wstring& file : files) UxFilePictures::Instance().Prepare(file);
}

bool PopImageDownloader::CheckAndDownload(const std::wstring& url, const std::wstring& path) {
  bool inPlace = false;
  return Fetch(url, path, inPlace);
}

PopImageDownloader::PictureState PopImageDownloader::StateOf(const std::wstring& url, const std::wstring& path,
                                                             const std::function<std::wstring()>& localMd5) {
  if (url.empty() || path.empty()) return PictureState::kNoUrlOrFile;
  const std::wstring expected = PopImageChecker::ExpectedName(url);
  if (expected.empty()) return PictureState::kNoMd5Name;
  return _wcsicmp(localMd5().c_str(), expected.c_str()) == 0 ? PictureState::kInPlace : PictureState::kToFetch;
}

bool PopImageDownloader::Fetch(const std::wstring& url, const std::wstring& path, bool& inPlace) {
  inPlace = false;
  ZLOG(DEBUG) << L"check md5 and download file";
  switch (StateOf(url, path, [&path] { return PopImageChecker::FileMd5(path); })) {
    case PictureState::kNoUrlOrFile: ZLOG(DEBUG) << L"url or file path is empty"; return false;
    case PictureState::kNoMd5Name: ZLOG(DEBUG) << L"url md5 name is empty"; return false;
    case PictureState::kInPlace:
      ZLOG(DEBUG) << L"md5 is same, no need to download";
      inPlace = true;
      return false;
    case PictureState::kToFetch: break;
  }
  const std::wstring expected = PopImageChecker::ExpectedName(url);
  DeleteFileW(path.c_str());
  const std::wstring temporary = path + L".tmp";
  const int result = download_ ? download_(url, temporary) : -1;
  ZLOG(DEBUG) << L"download img ret is " << result;
  if (_wcsicmp(PopImageChecker::FileMd5(temporary).c_str(), expected.c_str()) != 0) {
    ZLOG(DEBUG) << L"check md5 after download, is not same";
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ZLOG(DEBUG) << L"failed to replace the original file with the temporary file";
    DeleteFileW(temporary.c_str());
    return false;
  }
  inPlace = true;
  return true;
}

}  // namespace ui
