#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace testing_support {

// A PNG of frames side by side, each filled with one colour (premultiplied 0xAARRGGBB).
bool WritePicture(const std::wstring& path, int frameWidth, int height, std::initializer_list<uint32_t> colours);

// An opaque PNG whose every pixel differs from its neighbours (a gradient with a pattern), so a
// picture drawn from the wrong place shows.
bool WritePatternPicture(const std::wstring& path, int width, int height);

// Files named like pictures that no decoder should take, one of each kind seen in the field.
enum class BrokenPicture {
  kTruncated,   // a real PNG cut off in its image data
  kWebp,        // a WebP where a PNG was expected
  kHugeHeader,  // a well-formed PNG header claiming 60000 by 60000 pixels, and no image data
  kEmpty,       // no bytes at all
};
bool WriteBrokenPicture(const std::wstring& path, BrokenPicture kind);

}  // namespace testing_support
