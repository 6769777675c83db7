#pragma once

#include <string>

namespace siblings {

// Where a redirect leads, as the exchange follows it itself: hop by hop, so that each hop's
// server is checked before anything is sent to it.
class RedirectTarget {
 public:
  static constexpr int kMaxRedirects = 10;  // WinHTTP's own default

  static bool IsRedirect(int status);
  // The absolute URL of a Location value seen at base (absolute, scheme-relative, absolute path
  // or relative path); empty when it is none of them or not HTTP(S).
  static std::wstring Resolve(const std::wstring& base, const std::wstring& location);
  // Whether the next hop still carries the body: 307 and 308 keep the method, 303 and a POST
  // answered by 301 or 302 turn into a GET without one.
  static bool KeepsBody(int status);
  static bool IsSecure(const std::wstring& url);
};

}  // namespace siblings
