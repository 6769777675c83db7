#include "netvok/RedirectTarget.h"

#include <cwctype>

namespace siblings {

namespace {

struct Parts {
  std::wstring scheme;
  std::wstring authority;  // host[:port] as written
  std::wstring path;       // from the first "/" on, without query
};

bool Split(const std::wstring& url, Parts& parts) {
  const size_t colon = url.find(L"://");
  if (colon == std::wstring::npos) return false;
  parts.scheme = url.substr(0, colon);
  for (wchar_t& c : parts.scheme) c = static_cast<wchar_t>(towlower(c));
  if (parts.scheme != L"http" && parts.scheme != L"https") return false;
  const size_t start = colon + 3;
  const size_t slash = url.find_first_of(L"/?#", start);
  parts.authority = url.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
  if (parts.authority.empty()) return false;
  parts.path = slash == std::wstring::npos || url[slash] != L'/' ? L"/" : url.substr(slash);
  parts.path = parts.path.substr(0, parts.path.find_first_of(L"?#"));
  return true;
}

}  // namespace

bool RedirectTarget::IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool RedirectTarget::KeepsBody(int status) {
  return status == 307 || status == 308;
}

bool RedirectTarget::IsSecure(const std::wstring& url) {
  Parts parts;
  return Split(url, parts) && parts.scheme == L"https";
}

std::wstring RedirectTarget::Resolve(const std::wstring& base, const std::wstring& location) {
  Parts from;
  if (location.empty() || !Split(base, from)) return {};
  Parts absolute;
  if (Split(location, absolute)) return location;
  if (location.find(L"://") != std::wstring::npos) return {};  // another scheme
  if (location.rfind(L"//", 0) == 0) {
    return Split(from.scheme + L":" + location, absolute) ? from.scheme + L":" + location : std::wstring();
  }
  const std::wstring origin = from.scheme + L"://" + from.authority;
  if (location[0] == L'/') return origin + location;
  return origin + from.path.substr(0, from.path.find_last_of(L'/') + 1) + location;
}

}  // namespace siblings
