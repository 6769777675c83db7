#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm::encoding {

enum Base64Status : int {
  kBase64Ok = 0,
  kBase64InvalidArgument = 1,
  kBase64BufferTooSmall = 2,  // outLength then holds the size needed, terminator included
};

// Standard alphabet with "=" padding, no line breaks; the text is zero-terminated.
Base64Status Base64Encode(const uint8_t* bytes, size_t length, char* out, size_t capacity, size_t* outLength);
std::string Base64Encode(const std::string& bytes);

// Standard alphabet; padding optional, but when present it must complete the last group. False
// on any other character and on a last group of one character.
bool Base64Decode(const std::string& text, std::string& bytes);

// Tags base64 content in command lines: "<|b64|>".
const std::wstring& Base64Marker();

}  // namespace qm::encoding
