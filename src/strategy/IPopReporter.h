#pragma once

namespace strategy {

// Where the strategy sends a refusal's record.
class IPopReporter {
 public:
  virtual ~IPopReporter() = default;
  virtual void ReportNoShow(int reason) = 0;
};

}  // namespace strategy
