#include "KnownFaults.h"

namespace hardening {

bool KnownFaults::Matches(const std::string& target, const std::string& input) {
  (void)target;
  (void)input;
  return false;
}

}  // namespace hardening
