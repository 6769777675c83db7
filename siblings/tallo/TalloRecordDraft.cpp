#include "tallo/TalloRecordDraft.h"

#include <cwctype>
#include <sstream>

namespace siblings {

namespace {

bool SplitPair(const std::wstring& token, std::wstring& left, std::wstring& right) {
  const size_t colon = token.find(L':');
  if (colon == std::wstring::npos || colon == 0 || colon + 1 == token.size()) return false;
  left = token.substr(0, colon);
  right = token.substr(colon + 1);
  return right.find(L':') == std::wstring::npos;
}

bool IsDigits(const std::wstring& text) {
  for (wchar_t c : text) {
    if (!std::iswdigit(c)) return false;
  }
  return !text.empty();
}

}  // namespace

bool TalloRecordDraft::Begin(const std::wstring& schema) {
  fields_.clear();
  schema_.clear();
  std::wistringstream tokens(schema);
  std::wstring token;
  std::wstring table;
  std::wstring id;
  if (!(tokens >> token) || !SplitPair(token, table, id) || !IsDigits(id)) return false;
  while (tokens >> token) {
    Field field;
    if (!SplitPair(token, field.name, field.type)) return false;
    if (field.type != L"byte" && field.type != L"int" && field.type != L"string") return false;
    if (Find(field.name)) return false;
    fields_.push_back(field);
  }
  schema_ = schema;
  return true;
}

TalloRecordDraft::Field* TalloRecordDraft::Find(const std::wstring& name) {
  for (Field& field : fields_) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

bool TalloRecordDraft::SetInt(const std::wstring& name, long long value) {
  Field* field = Find(name);
  if (!field || field->type == L"string") return false;
  if (field->type == L"byte" && (value < 0 || value > 255)) return false;
  field->value = std::to_wstring(value);
  field->set = true;
  return true;
}

bool TalloRecordDraft::SetString(const std::wstring& name, const std::wstring& value) {
  Field* field = Find(name);
  if (!field || field->type != L"string") return false;
  field->value = value;
  field->set = true;
  return true;
}

std::wstring TalloRecordDraft::FieldsText() const {
  std::wstring text;
  for (const Field& field : fields_) {
    if (!text.empty()) text += L' ';
    text += field.name + L':' + field.type + L'=' + (field.set ? field.value : L"(unset)");
  }
  return text;
}

}  // namespace siblings
