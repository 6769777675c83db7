#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace testing_support {

// A PNG of frames side by side, each filled with one colour (premultiplied 0xAARRGGBB).
bool WritePicture(const std::wstring& path, int frameWidth, int height, std::initializer_list<uint32_t> colours);

}  // namespace testing_support
