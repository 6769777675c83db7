#pragma once

#include <string>
#include <vector>

namespace siblings {

// A record being filled: the schema's fields in order, each with its type and, once set, its value.
class TalloRecordDraft {
 public:
  // False for an empty or malformed schema ("table:id name:type ...", types byte, int, string).
  bool Begin(const std::wstring& schema);
  bool SetInt(const std::wstring& name, long long value);
  bool SetString(const std::wstring& name, const std::wstring& value);

  const std::wstring& schema() const { return schema_; }
  // "name:type=value" per field, single spaces; "name:type=(unset)" for a field never set.
  std::wstring FieldsText() const;

 private:
  struct Field {
    std::wstring name;
    std::wstring type;
    std::wstring value;
    bool set = false;
  };
  Field* Find(const std::wstring& name);

  std::wstring schema_;
  std::vector<Field> fields_;
};

}  // namespace siblings
