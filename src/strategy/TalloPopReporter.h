#pragma once

#include <functional>
#include <memory>

#include "report/TalloAdapterHolder.h"
#include "strategy/IPopReporter.h"

namespace strategy {

// Sends a refusal as one "tessik_pdfnewuser_pop:9083" record through the host's reporting path.
class TalloPopReporter final : public IPopReporter {
 public:
  using HolderFactory = std::function<std::unique_ptr<report::TalloAdapterHolder>()>;

  // Without a factory, the process's host decides the reporting path.
  explicit TalloPopReporter(HolderFactory factory = {}) : factory_(std::move(factory)) {}
  void ReportNoShow(int reason) override;
  // One "tessik_pdfnewuser_pop:9083" record: shows and clicks of the pop-up, or a refusal.
  void Report(int adShow, int adClick, int noShowReason);

 private:
  HolderFactory factory_;
};

}  // namespace strategy
