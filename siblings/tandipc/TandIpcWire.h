#pragma once

#include <cstdint>
#include <string>

namespace tandipc {

// The request and response messages of a call (see family/SheerIpc.h).
class TandIpcWire {
 public:
  static std::string Request(const std::wstring& function, const void* bundle, uint32_t bundleBytes);
  static std::string Response(int32_t result, const void* bundle, uint32_t bundleBytes);
  // false for a wrong magic, a truncated header or name; bundle gets the remaining bytes.
  static bool ParseRequest(const std::string& message, std::wstring& function, std::string& bundle);
  // True when a bundle's serial form claims fewer bytes than it was given.
  static bool HasBytesAfterBundle(const std::string& bundle);
  static bool ParseResponse(const std::string& message, int32_t& result, std::string& bundle);
};

}  // namespace tandipc
