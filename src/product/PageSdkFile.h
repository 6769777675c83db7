#pragma once

#include <string>

namespace product {

// "zpagesdk.dat" beside the module: marks the page SDK build and names its partner edition.
struct PageSdkFile {
  bool present = false;
  std::wstring installDir;
  int sdkValue = 0;

  static PageSdkFile Read(const std::wstring& path);
  // 11, 10, 14, 17 or 8 for the five partner editions (any case); 0 otherwise.
  static int PartnerValue(const std::wstring& installDir);
};

}  // namespace product
