#include "strategy/TalloPopReporter.h"

#include "report/ReportSchemas.h"
#include "report/TalloRecordSender.h"

namespace strategy {

void TalloPopReporter::ReportNoShow(int reason) { Report(0, 0, reason); }

void TalloPopReporter::Report(int adShow, int adClick, int noShowReason) {
  using report::TalloField;
  const std::unique_ptr<report::TalloAdapterHolder> holder =
      factory_ ? factory_() : report::TalloAdapterHolder::CreateCurrent();
  if (!holder) return;
  report::TalloRecordSender::Send(holder->adapter(), report::kNewUserPopSchema,
                                  {TalloField::Int(L"adshow", adShow), TalloField::Int(L"adclick", adClick),
                                   TalloField::Int(L"noshowreason", noShowReason), TalloField::Int(L"ver", 1),
                                   TalloField::Int(L"adtype", 1)});
}

}  // namespace strategy
