#include "utils/HmacMd5.h"

#include <algorithm>

namespace qm::encoding {

Md5Digest HmacMd5(const std::string& key, const std::string& message) {
  constexpr size_t kBlock = 64;
  uint8_t keyBlock[kBlock] = {};
  if (key.size() > kBlock) {
    const Md5Digest hashedKey = ZMd5::Of(key.data(), key.size());
    std::copy(hashedKey.begin(), hashedKey.end(), keyBlock);
  } else {
    std::copy(key.begin(), key.end(), keyBlock);
  }
  uint8_t innerPad[kBlock];
  uint8_t outerPad[kBlock];
  for (size_t i = 0; i < kBlock; ++i) {
    innerPad[i] = keyBlock[i] ^ 0x36;
    outerPad[i] = keyBlock[i] ^ 0x5c;
  }
  ZMd5 inner;
  inner.Update(innerPad, kBlock);
  inner.Update(message.data(), message.size());
  const Md5Digest innerDigest = inner.Final();
  ZMd5 outer;
  outer.Update(outerPad, kBlock);
  outer.Update(innerDigest.data(), innerDigest.size());
  return outer.Final();
}

}  // namespace qm::encoding
