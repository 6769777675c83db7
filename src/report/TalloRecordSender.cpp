#include "report/TalloRecordSender.h"

namespace report {

bool TalloRecordSender::Send(IPDFTalloAdapter* adapter, const std::wstring& schema,
                             const std::vector<TalloField>& fields) {
  if (!adapter) return false;  // this host has no reporting path: dropped
  adapter->Begin(schema.c_str());
  for (const TalloField& field : fields) {
    if (field.isText) {
      adapter->SetString(field.name.c_str(), field.text.c_str());
    } else {
      adapter->SetInt(field.name.c_str(), field.number);
    }
  }
  if (adapter->Submit()) return true;
  return adapter->SubmitFallback(0);
}

}  // namespace report
