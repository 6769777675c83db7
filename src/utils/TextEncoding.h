#pragma once

#include <windows.h>

#include <string>

namespace qm::encoding {

// UTF-16 to a multi-byte code page and back. A string that cannot be converted gives "".
std::string WideToMultiByte(const std::wstring& text, UINT codePage);
std::wstring MultiByteToWide(const std::string& bytes, UINT codePage);

inline std::string WideToUtf8(const std::wstring& text) { return WideToMultiByte(text, CP_UTF8); }
inline std::wstring Utf8ToWide(const std::string& bytes) { return MultiByteToWide(bytes, CP_UTF8); }

// Lower case by the system's Unicode rules, independent of the locale.
std::wstring ToLower(std::wstring text);

}  // namespace qm::encoding
