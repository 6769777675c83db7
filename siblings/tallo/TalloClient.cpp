#include "tallo/TalloClient.h"

#include <windows.h>

namespace siblings {

void* TalloClient::DeletingDestructor(unsigned int flags) {
  if (flags & 1) {
    delete this;
    return nullptr;
  }
  return this;
}

unsigned long TalloClient::Release() {
  const unsigned long left = --references_;
  if (left == 0) {
    if (draft_) journal_.Append(L"dropped", {{L"schema", draft_->schema()}, {L"fields", draft_->FieldsText()}});
    delete this;
  }
  return left;
}

bool TalloClient::Refuse(const wchar_t* call, const wchar_t* name) {
  journal_.Append(call, {{L"name", name ? name : L"(null)"}, {L"pending", draft_ ? L"yes" : L"none"}});
  return false;
}

bool TalloClient::Begin(const wchar_t* schema) {
  auto draft = std::make_unique<TalloRecordDraft>();
  if (!schema || !draft->Begin(schema)) return Refuse(L"begin_refused", schema);
  draft_ = std::move(draft);
  submitFailed_ = false;
  return true;
}

bool TalloClient::SetInt(const wchar_t* name, int value) {
  if (!draft_ || !name || !draft_->SetInt(name, value)) return Refuse(L"set_refused", name);
  return true;
}

bool TalloClient::SetInt64(const wchar_t* name, int64_t value) {
  if (!draft_ || !name || !draft_->SetInt(name, value)) return Refuse(L"set_refused", name);
  return true;
}

bool TalloClient::SetString(const wchar_t* name, const wchar_t* value) {
  if (!draft_ || !name || !draft_->SetString(name, value ? value : L"")) return Refuse(L"set_refused", name);
  return true;
}

bool TalloClient::SubmitShouldFail() {
  return GetFileAttributesW((Journal::OwnFolder() + L"tessiktallo.fail").c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TalloClient::Deliver(const wchar_t* via, int mode) {
  Journal::Fields fields = {{L"schema", draft_->schema()}, {L"fields", draft_->FieldsText()}, {L"via", via}};
  if (mode >= 0) fields.emplace_back(L"fallback_mode", std::to_wstring(mode));
  journal_.Append(L"record", fields);
  draft_.reset();
}

bool TalloClient::Submit() {
  if (!draft_) return Refuse(L"submit_refused", nullptr);
  if (SubmitShouldFail()) {
    submitFailed_ = true;
    journal_.Append(L"submit_failed", {{L"schema", draft_->schema()}});
    return false;
  }
  Deliver(L"submit", -1);
  return true;
}

bool TalloClient::SubmitFallback(int mode) {
  if (!draft_) {
    journal_.Append(L"fallback", {{L"fallback_mode", std::to_wstring(mode)}, {L"pending", L"none"}});
    return false;
  }
  Deliver(submitFailed_ ? L"fallback" : L"fallback_without_failed_submit", mode);
  return true;
}

bool TalloClient::Discard() {
  draft_.reset();
  return true;
}

}  // namespace siblings
