#pragma once

#include <windows.h>

#include <cstdint>

// What the host sends itself (WM_NOTIFY) for a control's mouse event: the header with the
// identifier 0xFFFFFFFF and the code, the control's command id, and for commands and double
// clicks the control's class name ("" for keyboard commands).
struct UxNotifyRecord {
  NMHDR header;
  uint32_t id;
  const char* className;
};

namespace UxNotifyCode {
inline constexpr UINT kCommand = 1;
inline constexpr UINT kMouseMove = 3;
inline constexpr UINT kMouseLeave = 4;
inline constexpr UINT kLeftDown = 7;
inline constexpr UINT kDoubleClick = 8;
inline constexpr UINT kRightDown = 9;
inline constexpr UINT kRightUp = 13;
inline constexpr UINT_PTR kIdentifier = static_cast<UINT_PTR>(0xFFFFFFFF);
}  // namespace UxNotifyCode
