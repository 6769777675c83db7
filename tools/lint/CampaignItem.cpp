#include "lint/CampaignItem.h"

#include <cwctype>

#include "lint/ItemVantaWarpper.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace campaign {

namespace {

constexpr wchar_t kItemPrefix[] = L"new_user_discount_";

std::wstring TrimmedStart(const std::wstring& text) {
  size_t start = 0;
  while (start < text.size() && (std::iswspace(text[start]) || text[start] == 0xFEFF)) ++start;
  return text.substr(start);
}

}  // namespace

CampaignItem::CampaignItem(std::wstring text) : text_(std::move(text)) { TakeOfferFromFile(); }

bool CampaignItem::Load(const std::wstring& fileOrText, CampaignItem& item, std::wstring& error) {
  if (qm::FileUtil::IsFile(fileOrText)) {
    std::string bytes;
    if (!qm::FileUtil::ReadAll(fileOrText, bytes, kMaxBytes)) {
      error = L"cannot read " + fileOrText + L" (unreadable or over 1 MiB)";
      return false;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    item = CampaignItem(qm::encoding::Utf8ToWide(bytes));
    return true;
  }
  const std::wstring start = TrimmedStart(fileOrText);
  if (!start.empty() && (start[0] == L'{' || start[0] == L'[')) {
    if (fileOrText.size() > kMaxBytes) {
      error = L"the item's text is over 1 MiB";
      return false;
    }
    item = CampaignItem(fileOrText);
    return true;
  }
  error = L"no such file, and not an item's JSON text: " + fileOrText;
  return false;
}

void CampaignItem::TakeOfferFromFile() {
  // A remote-configuration file: {"items": {"new_user_discount_N": {...}}, ...}.
  qm::UxJson::Document document;
  if (!document.Parse(text_) || document.Type() != qm::UxJson::kObject) return;
  const auto items = document.Get(L"items");
  if (!items.IsValid() || items.Type() != qm::UxJson::kObject) return;
  for (const std::wstring& name : items.Keys()) {
    if (name.compare(0, wcslen(kItemPrefix), kItemPrefix) != 0) continue;
    const auto offer = items.Get(name);
    std::wstring text;
    if (offer.Type() == qm::UxJson::kString) {
      text = offer.AsString();
    } else if (!offer.Write(text)) {
      continue;
    }
    text_ = text;
    sourceName_ = name;
    return;
  }
}

bool CampaignItem::IsObject() const {
  qm::UxJson::Document document;
  return document.Parse(text_) && document.Type() == qm::UxJson::kObject;
}

qm::json::Kind CampaignItem::MemberKind(const std::wstring& field) const {
  qm::UxJson::Document document;
  if (!document.Parse(text_) || document.Type() != qm::UxJson::kObject) return qm::json::Kind::Invalid;
  const auto member = document.Get(field);
  return member.IsValid() ? member.kind() : qm::json::Kind::Invalid;
}

std::vector<std::wstring> CampaignItem::Fields() const {
  qm::UxJson::Document document;
  if (!document.Parse(text_) || document.Type() != qm::UxJson::kObject) return {};
  return document.Keys();
}

std::wstring CampaignItem::String(const std::wstring& field, const wchar_t* defaultText) const {
  std::wstring text;
  ItemVantaWarpper(text_).GetConfigString(text, L"", field, defaultText);
  return text;
}

int CampaignItem::Int(const std::wstring& field, int defaultValue) const {
  return ItemVantaWarpper(text_).GetConfigInt(L"", field, defaultValue);
}

}  // namespace campaign
