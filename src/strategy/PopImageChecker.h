#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace strategy {

// One local image against the MD5 its URL names.
struct PopImageCheck {
  std::wstring url;
  std::wstring path;
  std::wstring expected;  // the URL's last segment without its extension
  std::wstring actual;    // the file's MD5, empty when it cannot be read
  bool valid = false;
};

// The three pop-up images: an image is valid when its file's MD5 equals (ignoring case) the name
// its URL ends with. Equal URLs are checked once, against the file assigned last.
class PopImageChecker {
 public:
  using Md5Fn = std::function<std::wstring(const std::wstring& path)>;

  // In ascending URL order; md5 reads a file's MD5 (FileMd5 by default).
  static std::vector<PopImageCheck> Check(const std::wstring& backgroundUrl, const std::wstring& closeUrl,
                                          const std::wstring& confirmUrl, const std::wstring& folder,
                                          const Md5Fn& md5 = &PopImageChecker::FileMd5);
  // URL to local file, in ascending URL order; equal URLs keep the file assigned last.
  static std::map<std::wstring, std::wstring> Files(const std::wstring& backgroundUrl, const std::wstring& closeUrl,
                                                    const std::wstring& confirmUrl, const std::wstring& folder);
  static bool AllValid(const std::vector<PopImageCheck>& checks);
  static std::wstring ExpectedName(const std::wstring& url);
  static std::wstring FileMd5(const std::wstring& path);
};

}  // namespace strategy
