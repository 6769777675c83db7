#pragma once

#include <string>
#include <vector>

namespace strategy {

// "qa_uuids": machine uuids separated by "|" whose machines see the offer whatever its audience.
// An entry is 32 hexadecimal digits, with or without the dashes and braces of the GUID form, in
// either case; empty entries are skipped and any other entry is malformed and matches nothing.
class QaMachineList {
 public:
  static QaMachineList Parse(const std::wstring& text);

  // The uuid in its canonical form (32 upper-case digits), or empty when it has not the form.
  static std::wstring Canonical(const std::wstring& uuid);

  // False for an empty uuid or one without the form.
  bool Lists(const std::wstring& machineUuid) const;

  const std::vector<std::wstring>& uuids() const { return uuids_; }          // canonical
  const std::vector<std::wstring>& malformed() const { return malformed_; }  // as given
  bool empty() const { return uuids_.empty() && malformed_.empty(); }

 private:
  std::vector<std::wstring> uuids_;
  std::vector<std::wstring> malformed_;
};

}  // namespace strategy
