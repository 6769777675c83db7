#include "utils/TextEncoding.h"

#include <climits>

namespace qm::encoding {

std::string WideToMultiByte(const std::wstring& text, UINT codePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  int needed = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out;
  while (needed > 0) {
    out.resize(static_cast<size_t>(needed));
    const int written = WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    if (written > 0) {
      out.resize(static_cast<size_t>(written));
      return out;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    needed = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  }
  return {};
}

std::wstring MultiByteToWide(const std::string& bytes, UINT codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring out;
  while (needed > 0) {
    out.resize(static_cast<size_t>(needed));
    const int written = MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), needed);
    if (written > 0) {
      out.resize(static_cast<size_t>(written));
      return out;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  }
  return {};
}

std::wstring ToLower(std::wstring text) {
  if (!text.empty() && text.size() <= MAXDWORD) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace qm::encoding
