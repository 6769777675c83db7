#pragma once

#include <string>

#include "utils/ZMd5.h"

namespace qm::encoding {

// HMAC as published in RFC 2104 over MD5 (64-byte block).
Md5Digest HmacMd5(const std::string& key, const std::string& message);

}  // namespace qm::encoding
