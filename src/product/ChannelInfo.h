#pragma once

#include <cstdint>
#include <string>

namespace product {

// The channel values every report and VIP-centre request carries.
struct ChannelInfo {
  uint32_t tid1 = 0;
  uint32_t tid2 = 0;
  uint32_t tod1 = 0;
  uint32_t tod2 = 0;
  uint32_t pid = 0;
  uint32_t installtime = 0;
  int tryno = 0;
  std::wstring version;  // "a.b.c.d" of the PDF application, empty when it is missing
  std::wstring svrid;
  std::wstring uuid;
};

}  // namespace product
