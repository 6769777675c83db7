#pragma once

namespace vanta {

// How a field of the offer's configuration item is meant; every field is given as JSON text.
enum class OfferFieldKind { kInteger, kPictureUrl, kTidList, kUuidList };

// One reading of a field of the offer's item: its name, kind, the default its reader uses when the
// field is missing (numbers only; text fields default to empty) and who reads it.
struct OfferField {
  const wchar_t* name;
  OfferFieldKind kind;
  int defaultNumber;
  const wchar_t* readBy;
};

// The offer's fields. update_vanta_minutes has two readers with different defaults.
namespace offer {
inline constexpr OfferField kPopVersion{L"pop_version", OfferFieldKind::kInteger, 1, L"the pop_version check"};
inline constexpr OfferField kNewInstallDays{L"new_install_days", OfferFieldKind::kInteger, 1,
                                            L"the newly_installed check"};
inline constexpr OfferField kAvoidTids{L"avoid_tids", OfferFieldKind::kTidList, 0, L"the avoid_tids check"};
inline constexpr OfferField kBackgroundUrl{L"bg_url", OfferFieldKind::kPictureUrl, 0,
                                           L"the images_valid check, the refresh's downloads"};
inline constexpr OfferField kCloseUrl{L"close_btn_url", OfferFieldKind::kPictureUrl, 0,
                                      L"the images_valid check, the refresh's downloads"};
inline constexpr OfferField kConfirmUrl{L"confirm_btn_url", OfferFieldKind::kPictureUrl, 0,
                                        L"the images_valid check, the refresh's downloads"};
inline constexpr OfferField kCountDownEnable{L"count_down_enable", OfferFieldKind::kInteger, 0,
                                             L"the pop-up's count-down (on at 1)"};
inline constexpr OfferField kCountDownHours{L"count_down_hours", OfferFieldKind::kInteger, 2,
                                            L"the pop-up's count-down"};
inline constexpr OfferField kCountDownStyle{L"count_down_style", OfferFieldKind::kInteger, 1,
                                            L"the pop-up's count-down (white at 2)"};
inline constexpr OfferField kPackageMonths{L"recommand_package_months", OfferFieldKind::kInteger, 0,
                                           L"the refresh's price query, the price block, the purchase page"};
inline constexpr OfferField kRefreshMinutes{L"update_vanta_minutes", OfferFieldKind::kInteger, 0,
                                            L"the worker's period between refreshes"};
inline constexpr OfferField kRemoteConfigAge{L"update_vanta_minutes", OfferFieldKind::kInteger, 30,
                                             L"the remote configuration's age check before a refresh"};

inline constexpr OfferField kQaUuids{L"qa_uuids", OfferFieldKind::kUuidList, 0,
                                     L"the QA override (listed machines pass over the audience checks)"};

inline constexpr OfferField kAll[] = {kPopVersion,      kNewInstallDays, kAvoidTids,      kBackgroundUrl,
                                      kCloseUrl,        kConfirmUrl,     kCountDownEnable, kCountDownHours,
                                      kCountDownStyle,  kPackageMonths,  kRefreshMinutes, kRemoteConfigAge,
                                      kQaUuids};
// The three pictures, in the order the check and the downloads take them.
inline constexpr OfferField kPictures[] = {kBackgroundUrl, kCloseUrl, kConfirmUrl};
}  // namespace offer

}  // namespace vanta
