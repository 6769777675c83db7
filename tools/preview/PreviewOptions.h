#pragma once

#include <optional>
#include <string>
#include <vector>

namespace preview {

// The preview's command line:
//   preview --config FILE|TEXT (--images DIR | --fetch) --out PNG [--host-type N] [--price PAY/REF[/MONTHS]]
//           [--count-down off|hours:H] [--count-down-style 1|2] [--dpi 1.0|1.2|1.5] [--sheet]
struct PreviewOptions {
  std::wstring config;
  int hostType = 3;
  std::optional<int> payPrice, referencePrice, months;
  std::optional<bool> countDown;  // unset: as the item says
  std::optional<int> countDownHours, countDownStyle;
  double dpi = 1.0;
  std::wstring images;
  bool fetch = false;
  std::wstring out;
  bool sheet = false;

  // False with a reason for anything missing, unknown or out of range.
  static bool Parse(const std::vector<std::wstring>& arguments, PreviewOptions& options, std::wstring& error);
  static constexpr const wchar_t* kUsage =
      L"usage: preview --config FILE|TEXT (--images DIR | --fetch) --out PNG [--host-type 1-7] "
      L"[--price PAY/REF[/MONTHS]] [--count-down off|hours:H] [--count-down-style 1|2] [--dpi 1.0|1.2|1.5] [--sheet]";
};

}  // namespace preview
