#include "tandipc/TandIpcWire.h"

#include <cstring>

#include "family/SheerIpc.h"

namespace tandipc {

namespace {

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

uint32_t GetU32(const std::string& in, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + i])) << (8 * i);
  return value;
}

}  // namespace

std::string TandIpcWire::Request(const std::wstring& function, const void* bundle, uint32_t bundleBytes) {
  std::string out;
  PutU32(out, kRequestMagic);
  const uint16_t units = static_cast<uint16_t>(function.size() > 0xffff ? 0xffff : function.size());
  out.push_back(static_cast<char>(units & 0xff));
  out.push_back(static_cast<char>(units >> 8));
  for (size_t i = 0; i < units; ++i) {
    out.push_back(static_cast<char>(function[i] & 0xff));
    out.push_back(static_cast<char>((function[i] >> 8) & 0xff));
  }
  if (bundle && bundleBytes) out.append(static_cast<const char*>(bundle), bundleBytes);
  return out;
}

std::string TandIpcWire::Response(int32_t result, const void* bundle, uint32_t bundleBytes) {
  std::string out;
  PutU32(out, kResponseMagic);
  PutU32(out, static_cast<uint32_t>(result));
  if (bundle && bundleBytes) out.append(static_cast<const char*>(bundle), bundleBytes);
  return out;
}

bool TandIpcWire::ParseRequest(const std::string& message, std::wstring& function, std::string& bundle) {
  if (message.size() < 6 || GetU32(message, 0) != kRequestMagic) return false;
  const size_t units = static_cast<uint8_t>(message[4]) | (static_cast<size_t>(static_cast<uint8_t>(message[5])) << 8);
  if (units == 0 || message.size() < 6 + 2 * units) return false;
  function.assign(units, L'\0');
  for (size_t i = 0; i < units; ++i) {
    function[i] = static_cast<wchar_t>(static_cast<uint8_t>(message[6 + 2 * i]) |
                                       (static_cast<uint8_t>(message[7 + 2 * i]) << 8));
  }
  bundle = message.substr(6 + 2 * units);
  return true;
}

bool TandIpcWire::HasBytesAfterBundle(const std::string& bundle) {
  return bundle.size() >= 8 && GetU32(bundle, 4) < bundle.size();
}

bool TandIpcWire::ParseResponse(const std::string& message, int32_t& result, std::string& bundle) {
  if (message.size() < 8 || GetU32(message, 0) != kResponseMagic) return false;
  result = static_cast<int32_t>(GetU32(message, 4));
  bundle = message.substr(8);
  return true;
}

}  // namespace tandipc
