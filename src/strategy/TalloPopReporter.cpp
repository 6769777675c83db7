#include "strategy/TalloPopReporter.h"

#include "report/ReportSchemas.h"
#include "report/TalloRecordSender.h"

namespace strategy {

void TalloPopReporter::ReportNoShow(int reason) {
  using report::TalloField;
  const std::unique_ptr<report::TalloAdapterHolder> holder =
      factory_ ? factory_() : report::TalloAdapterHolder::CreateCurrent();
  if (!holder) return;
  report::TalloRecordSender::Send(holder->adapter(), report::kNewUserPopSchema,
                                  {TalloField::Int(L"adshow", 0), TalloField::Int(L"adclick", 0),
                                   TalloField::Int(L"noshowreason", reason), TalloField::Int(L"ver", 1),
                                   TalloField::Int(L"adtype", 1)});
}

}  // namespace strategy
