#pragma once

#include <windows.h>

namespace qm {

// What a thread of the module reserves (with STACK_SIZE_PARAM_IS_A_RESERVATION), whatever the
// host's executable asks for its own: a host may ask for 8 MiB, and a 32-bit host has little address
// space to spare. 1 MiB as Windows' default: the worker parses answers of up to 512 levels, and the
// VIP start-up runs another vendor's library code.
inline constexpr SIZE_T kThreadStackReserve = 1u << 20;

}  // namespace qm
