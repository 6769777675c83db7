#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "strategy/PopFiles.h"

namespace ui {

// Keeps the pop-up's pictures in line with their URLs: a URL names the MD5 of its content, and a
// local file that does not match is downloaded again, checked, and only then put in place.
class PopImageDownloader {
 public:
  // Downloads a URL to a file; 0 on success (the network client's result otherwise).
  using DownloadFn = std::function<int(const std::wstring& url, const std::wstring& file)>;

  // Called on the refreshing thread when a round ends with every picture in place, with their files.
  using ReadyFn = std::function<void(const std::vector<std::wstring>& files)>;

  // By default a round that leaves every picture in place sets up the skin engine and decodes the
  // pictures: the offer may show at the next exit scene, and the window then finds both made.
  explicit PopImageDownloader(DownloadFn download, ReadyFn onPicturesReady = &PopImageDownloader::WarmUpEngine)
      : download_(std::move(download)), onPicturesReady_(std::move(onPicturesReady)) {}

  // The three pictures of the offer, each at most once per URL (the name assigned last wins); a
  // signalled stop event (manual-reset) ends the round before the next picture.
  void Refresh(const std::wstring& backgroundUrl, const std::wstring& closeUrl, const std::wstring& confirmUrl,
               const std::wstring& folder, HANDLE stop = nullptr);
  // True only when a new file was downloaded, matched its MD5 and replaced the local one.
  bool CheckAndDownload(const std::wstring& url, const std::wstring& path);

  // What a round finds of one picture before it downloads anything; localMd5 reads the local
  // file's MD5 and is asked only when the URL names one.
  enum class PictureState { kNoUrlOrFile, kNoMd5Name, kInPlace, kToFetch };
  static PictureState StateOf(const std::wstring& url, const std::wstring& path,
                              const std::function<std::wstring()>& localMd5);
  static void WarmUpEngine(const std::vector<std::wstring>& files);

  static constexpr const wchar_t* kBackground = strategy::kBackgroundImage;
  static constexpr const wchar_t* kClose = strategy::kCloseImage;
  static constexpr const wchar_t* kConfirm = strategy::kConfirmImage;

 private:
  // As CheckAndDownload; inPlace tells whether the local file matches its URL afterwards.
  bool Fetch(const std::wstring& url, const std::wstring& path, bool& inPlace);

  DownloadFn download_;
  ReadyFn onPicturesReady_;
};

}  // namespace ui
