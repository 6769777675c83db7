#include "TestPictures.h"

#include "TestFiles.h"
#include "uxwin/skin/UxCanvas.h"

namespace testing_support {

namespace {

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc ^= static_cast<unsigned char>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string BigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  return BigEndian(static_cast<uint32_t>(data.size())) + type + data + BigEndian(Crc32(type + data));
}

std::string HugeHeaderPng() {
  const std::string header = BigEndian(60000) + BigEndian(60000) + std::string("\x08\x06\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IEND", "");
}

}  // namespace

bool WritePicture(const std::wstring& path, int frameWidth, int height, std::initializer_list<uint32_t> colours) {
  UxCanvas canvas(frameWidth * static_cast<int>(colours.size()), height);
  if (!canvas.IsValid()) return false;
  int frame = 0;
  for (const uint32_t colour : colours) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < frameWidth; ++x) canvas.bits()[y * canvas.width() + frame * frameWidth + x] = colour;
    }
    ++frame;
  }
  return canvas.SavePng(path);
}

bool WritePatternPicture(const std::wstring& path, int width, int height) {
  UxCanvas canvas(width, height);
  if (!canvas.IsValid()) return false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      canvas.bits()[y * width + x] = 0xFF000000u | (static_cast<uint32_t>(x * 255 / width) << 16) |
                                     (static_cast<uint32_t>(y * 255 / height) << 8) | static_cast<uint32_t>((x * 7 + y * 13) & 0xFF);
    }
  }
  return canvas.SavePng(path);
}

bool WriteBrokenPicture(const std::wstring& path, BrokenPicture kind) {
  switch (kind) {
    case BrokenPicture::kTruncated: {
      // Noise does not compress, so half the file ends well inside the image data.
      UxCanvas canvas(64, 64);
      if (!canvas.IsValid()) return false;
      uint32_t seed = 12345;
      for (int i = 0; i < 64 * 64; ++i) canvas.bits()[i] = 0xFF000000u | ((seed = seed * 1103515245u + 12345u) >> 8);
      if (!canvas.SavePng(path)) return false;
      const std::string whole = ReadBytes(path);
      return whole.size() > 200 && WriteBytes(path, whole.substr(0, whole.size() / 2));
    }
    case BrokenPicture::kWebp:
      return WriteBytes(path, std::string("RIFF\x24\x00\x00\x00WEBPVP8 \x18\x00\x00\x00", 20) +
                                  std::string("\x30\x01\x00\x9d\x01\x2a\x01\x00\x01\x00\x02\x00\x34\x25", 14) +
                                  std::string(10, '\0'));
    case BrokenPicture::kHugeHeader:
      return WriteBytes(path, HugeHeaderPng());
    case BrokenPicture::kEmpty:
      return WriteBytes(path, "");
  }
  return false;
}

}  // namespace testing_support
