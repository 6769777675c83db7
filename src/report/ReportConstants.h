#pragma once

// Names of the reporting area that the module keeps only in scrambled form.

#include "utils/ScrambledText.h"

namespace report::constants {

using qm::scramble::TableScrambled;

// The Tessik host's reporting client, beside the host executable or in the Tessik folder.
inline constexpr auto kTessikTalloClient = TableScrambled(L"tessiktallo.dll");

}  // namespace report::constants
