#pragma once

namespace strategy {

// The offer's local files in the module's folder (UtilFolder).
inline constexpr wchar_t kUtilFolderName[] = L"pagesdkutil\\";
inline constexpr wchar_t kStateFile[] = L"sdkutilcfg.ini";
inline constexpr wchar_t kStateSection[] = L"new_user_discount";
inline constexpr wchar_t kLastShowTimeKey[] = L"last_show_time";
inline constexpr wchar_t kBackgroundImage[] = L"new_user_discount_background.png";
inline constexpr wchar_t kCloseImage[] = L"new_user_discount_close_btn.png";
inline constexpr wchar_t kConfirmImage[] = L"new_user_discount_confirm_btn.png";

}  // namespace strategy
