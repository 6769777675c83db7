#include "strategy/PopImageChecker.h"

#include <cwchar>
#include <map>

#include "strategy/PopFiles.h"
#include "utils/FileMd5Cache.h"

namespace strategy {

std::wstring PopImageChecker::ExpectedName(const std::wstring& url) {
  std::wstring name = url;
  for (wchar_t& c : name) {
    if (c == L'/') c = L'\\';
  }
  name = name.substr(name.find_last_of(L'\\') + 1);
  const size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring PopImageChecker::FileMd5(const std::wstring& path) { return qm::FileMd5Cache::HexOf(path); }

std::map<std::wstring, std::wstring> PopImageChecker::Files(const std::wstring& backgroundUrl,
                                                           const std::wstring& closeUrl,
                                                           const std::wstring& confirmUrl, const std::wstring& folder) {
  std::map<std::wstring, std::wstring> paths;  // a later assignment wins
  paths[backgroundUrl] = folder + kBackgroundImage;
  paths[closeUrl] = folder + kCloseImage;
  paths[confirmUrl] = folder + kConfirmImage;
  return paths;
}

std::vector<PopImageCheck> PopImageChecker::Check(const std::wstring& backgroundUrl, const std::wstring& closeUrl,
                                                  const std::wstring& confirmUrl, const std::wstring& folder,
                                                  const Md5Fn& md5) {
  std::vector<PopImageCheck> checks;
  for (const auto& [url, path] : Files(backgroundUrl, closeUrl, confirmUrl, folder)) {
    PopImageCheck check{url, path, ExpectedName(url), md5(path), false};
    check.valid = !check.actual.empty() && _wcsicmp(check.expected.c_str(), check.actual.c_str()) == 0;
    checks.push_back(std::move(check));
  }
  return checks;
}

bool PopImageChecker::AllValid(const std::vector<PopImageCheck>& checks) {
  for (const PopImageCheck& check : checks) {
    if (!check.valid) return false;
  }
  return true;
}

}  // namespace strategy
