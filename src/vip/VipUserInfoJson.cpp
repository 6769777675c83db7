#include "vip/VipUserInfoJson.h"

#include <cwchar>

#include "utils/UxJson.h"

namespace vip {

namespace {

bool IsInteger(const UxJsonEx::Handle& value) {
  return value.Type() == UxJsonEx::kLong || value.Type() == UxJsonEx::kLongLong;
}

// The integer 1, as a number or as the text "1" and nothing else: " 1", "1x", "1.9" or a
// full-width digit are not 1.
bool ReadsAsOne(const UxJsonEx::Handle& value) {
  if (IsInteger(value)) return value.AsInt64() == 1;
  return value.Type() == UxJsonEx::kString && value.AsString() == L"1";
}

// "2" or 2.
int KindOf(const UxJsonEx::Handle& value) {
  if (IsInteger(value)) return value.AsInt();
  return static_cast<int>(std::wcstol(value.AsString().c_str(), nullptr, 10));
}

}  // namespace

bool VipUserInfoJson::Parse(const std::wstring& text, VipUserInfo& info) {
  UxJsonEx::Document doc;
  if (!doc.Parse(text) || doc.Type() != UxJsonEx::kObject) return false;
  if (!doc.Get(L"open_id").IsValid() || !doc.Get(L"vip_type").IsValid()) return false;
  info.open_id = doc.Get(L"open_id").AsString();
  if (info.open_id.empty()) return false;
  info.token = doc.Get(L"token").AsString();
  if (info.token.empty()) return false;
  const auto vipType = doc.Get(L"vip_type");
  info.vip_type = IsInteger(vipType) ? static_cast<int32_t>(vipType.AsInt64()) : 0;  // low 32 bits
  info.nick_name = doc.Get(L"nickname").AsString();
  info.avatar = doc.Get(L"avatar").AsString();
  info.vip_ex_date = doc.Get(L"vip_ex_date").AsInt64();
  info.vaild_date = static_cast<int32_t>(info.vip_ex_date);
  info.is_continuous = ReadsAsOne(doc.Get(L"is_continuous"));
  info.permission_vip_info = doc.Get(L"permission_vip_info").AsInt64();
  info.expire_permission_vip_info = doc.Get(L"expire_permission_vip_info").AsInt64();
  return true;
}

bool VipUserInfoJson::ParseExpiryList(const std::wstring& text, VipExpiryList& list) {
  UxJsonEx::Document doc;
  if (!doc.Parse(text) || doc.Type() != UxJsonEx::kArray) return false;
  for (size_t i = 0; i < doc.Size(); ++i) {
    const auto entry = doc.At(i);
    const int kind = KindOf(entry.Get(L"vip_type"));
    if (kind == 2 || kind == 3) list.expiryByType[kind] = entry.Get(L"vip_ex_date").AsInt64();
  }
  return true;
}

}  // namespace vip
