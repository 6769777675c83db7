#include "utils/Base64.h"

namespace qm::encoding {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

Base64Status Base64Encode(const uint8_t* bytes, size_t length, char* out, size_t capacity, size_t* outLength) {
  if ((!bytes && length > 0) || !outLength || length > (SIZE_MAX / 4) * 3 - 3) return kBase64InvalidArgument;
  const size_t needed = (length + 2) / 3 * 4 + 1;
  *outLength = needed;
  if (!out || capacity < needed) return kBase64BufferTooSmall;
  size_t o = 0;
  for (size_t i = 0; i < length; i += 3) {
    const size_t remaining = length - i;
    const uint32_t group = uint32_t(bytes[i]) << 16 | (remaining > 1 ? uint32_t(bytes[i + 1]) << 8 : 0) |
                           (remaining > 2 ? uint32_t(bytes[i + 2]) : 0);
    out[o++] = kAlphabet[(group >> 18) & 63];
    out[o++] = kAlphabet[(group >> 12) & 63];
    out[o++] = remaining > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    out[o++] = remaining > 2 ? kAlphabet[group & 63] : '=';
  }
  out[o] = '\0';
  *outLength = o;
  return kBase64Ok;
}

std::string Base64Encode(const std::string& bytes) {
  size_t needed = 0;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  if (Base64Encode(data, bytes.size(), nullptr, 0, &needed) != kBase64BufferTooSmall) return {};
  std::string text(needed, '\0');
  size_t written = 0;
  if (Base64Encode(data, bytes.size(), text.data(), text.size(), &written) != kBase64Ok) return {};
  text.resize(written);
  return text;
}

bool Base64Decode(const std::string& text, std::string& bytes) {
  bytes.clear();
  uint32_t group = 0;
  int bits = 0;
  size_t end = text.size();
  while (end > 0 && text[end - 1] == '=') --end;
  const size_t padding = text.size() - end;
  // A lone six-bit remainder carries no byte; padding may only complete the last group.
  if (end % 4 == 1 || padding > 2 || (padding > 0 && (end + padding) % 4 != 0)) return false;
  for (size_t i = 0; i < end; ++i) {
    const char* found = std::char_traits<char>::find(kAlphabet, 64, text[i]);
    if (!found) return false;
    group = (group << 6) | static_cast<uint32_t>(found - kAlphabet);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((group >> bits) & 0xFF);
    }
  }
  return true;
}

const std::wstring& Base64Marker() {
  static const std::wstring* const marker = new std::wstring(L"<|b64|>");
  return *marker;
}

}  // namespace qm::encoding
