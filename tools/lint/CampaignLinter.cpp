#include "lint/CampaignLinter.h"

#include <algorithm>
#include <cwctype>
#include <set>

#include "product/HostProfile.h"
#include "strategy/AvoidTidsMatcher.h"
#include "strategy/PopGateCatalog.h"
#include "strategy/QaMachineList.h"
#include "utils/UxJson.h"
#include "vanta/OfferFields.h"

namespace campaign {

namespace {

using Severity = LintFinding::Severity;

void Add(std::vector<LintFinding>& out, Severity severity, const std::wstring& field, const std::wstring& message) {
  out.push_back(LintFinding{severity, field, message});
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

using namespace vanta::offer;
using strategy::PopGateCatalog;

// What the module logs when the gate refuses, and the record's reason: the gate's own words.
std::wstring GateSays(const strategy::PopGate& gate) {
  return L"the module logs " + Quoted(gate.refusalLog()) + L" (reason " + std::to_wstring(gate.reason()) + L")";
}

bool IsNumberField(const std::wstring& name) {
  for (const vanta::OfferField& field : kAll) {
    if (name == field.name) return field.kind == vanta::OfferFieldKind::kInteger;
  }
  return false;
}

// "1 and 2": the host types whose offer needs a price.
std::wstring PricedHostTypes() {
  std::vector<std::wstring> types;
  for (const product::HostProfile& host : product::HostProfile::All()) {
    if (host.HasPrice()) types.push_back(std::to_wstring(host.hostType));
  }
  std::wstring text;
  for (size_t i = 0; i < types.size(); ++i) {
    if (i > 0) text += i + 1 == types.size() ? L" and " : L", ";
    text += types[i];
  }
  return text;
}

bool IsDigits(const std::wstring& text) {
  if (text.empty()) return false;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

const wchar_t* KindName(qm::json::Kind kind) {
  switch (kind) {
    case qm::json::Kind::Null: return L"null";
    case qm::json::Kind::Object: return L"an object";
    case qm::json::Kind::Bool: return L"true/false";
    case qm::json::Kind::Array: return L"an array";
    default: return L"a number";
  }
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

}  // namespace

const std::vector<std::wstring>& CampaignLinter::KnownFields() {
  static const std::vector<std::wstring> fields = [] {
    std::vector<std::wstring> names;
    for (const vanta::OfferField& field : kAll) {
      if (std::find(names.begin(), names.end(), field.name) == names.end()) names.push_back(field.name);
    }
    return names;
  }();
  return fields;
}

const std::vector<std::wstring>& CampaignLinter::ImageFields() {
  static const std::vector<std::wstring> fields = [] {
    std::vector<std::wstring> names;
    for (const vanta::OfferField& field : kPictures) names.push_back(field.name);
    return names;
  }();
  return fields;
}

bool CampaignLinter::IsMd5Name(const std::wstring& url) {
  const size_t slash = url.find_last_of(L"/\\");
  const std::wstring name = slash == std::wstring::npos ? url : url.substr(slash + 1);
  if (name.size() < 34 || name[32] != L'.') return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (i < 32 && !std::iswxdigit(name[i])) return false;
    if (i > 32 && !std::iswalnum(name[i])) return false;
  }
  return true;
}

std::vector<LintFinding> CampaignLinter::Lint(const CampaignItem& item) const {
  std::vector<LintFinding> out;
  if (item.text().find_first_not_of(L" \t\r\n") == std::wstring::npos) {
    Add(out, Severity::kError, L"item",
        L"empty: " + GateSays(PopGateCatalog::VantaEnabled()) + L" and never shows the offer");
    return out;
  }
  qm::UxJson::Document document;
  if (!document.Parse(item.text())) {
    Add(out, Severity::kError, L"item", L"not JSON: every field reads as its default and no picture validates");
    return out;
  }
  if (document.Type() != qm::UxJson::kObject) {
    Add(out, Severity::kError, L"item", L"JSON but not an object: every field reads as its default");
    return out;
  }
  CheckShape(item, out);
  CheckNumbers(item, out);
  CheckAvoidTids(item, out);
  CheckImages(item, out);
  CheckCountDown(item, out);
  CheckPrice(item, out);
  CheckQaUuids(item, out);
  return out;
}

void CampaignLinter::CheckShape(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const std::set<std::wstring> known(KnownFields().begin(), KnownFields().end());
  for (const std::wstring& field : item.Fields()) {
    const qm::json::Kind kind = item.MemberKind(field);
    if (!known.count(field)) {
      Add(out, Severity::kWarning, field, L"not a field the module reads (a misspelt name leaves the default in force)");
    } else if (kind != qm::json::Kind::String) {
      Add(out, Severity::kError, field,
          std::wstring(L"given as ") + KindName(kind) + L" instead of text: the module reads only strings, so it reads as " +
              (IsNumberField(field) ? L"0" : L"empty text"));
    }
  }
}

void CampaignLinter::CheckNumbers(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const int version = item.Int(kPopVersion.name, kPopVersion.defaultNumber);
  if (version != 1) {
    Add(out, Severity::kError, kPopVersion.name,
        L"reads as " + std::to_wstring(version) + L", not 1: " + GateSays(PopGateCatalog::PopVersion()));
  }
  if (item.MemberKind(kNewInstallDays.name) == qm::json::Kind::String) {
    const std::wstring days = item.String(kNewInstallDays.name, L"1");
    const int reads = item.Int(kNewInstallDays.name, kNewInstallDays.defaultNumber);
    if (!IsDigits(days) || reads <= 0) {
      Add(out, Severity::kError, kNewInstallDays.name,
          Quoted(days) + L" is not a positive integer: it reads as " + std::to_wstring(reads) +
              L", and below 1 no host counts as newly installed (" +
              Quoted(PopGateCatalog::NewlyInstalled().refusalLog()) + L")");
    }
  }
}

void CampaignLinter::CheckAvoidTids(const CampaignItem& item, std::vector<LintFinding>& out) const {
  for (const std::wstring& entry : strategy::AvoidTidsMatcher::Split(item.String(kAvoidTids.name, L""), L'|')) {
    const std::vector<std::wstring> parts = strategy::AvoidTidsMatcher::Split(entry, L'-');
    if (parts.size() > 2) {
      Add(out, Severity::kWarning, kAvoidTids.name,
          L"entry " + Quoted(entry) + L" has " + std::to_wstring(parts.size()) +
              L" parts: only \"tid1\" or \"tid1-tid2\" can match, so it never does");
      continue;
    }
    for (const std::wstring& part : parts) {
      const bool number = IsDigits(part) || (part.size() > 1 && part[0] == L'-' && IsDigits(part.substr(1)));
      if (!number) {
        Add(out, Severity::kWarning, kAvoidTids.name,
            L"entry " + Quoted(entry) + L": " + Quoted(part) + L" is not a product id, so it never matches");
        break;
      }
    }
  }
}

void CampaignLinter::CheckImages(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const std::vector<std::wstring>& fields = ImageFields();
  std::vector<std::wstring> urls;
  for (const std::wstring& field : fields) urls.push_back(item.String(field, L""));
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::wstring& url = urls[i];
    if (url.empty()) {
      Add(out, Severity::kError, fields[i],
          L"missing or empty: the picture never validates (" + Quoted(PopGateCatalog::ImagesValid().refusalLog()) + L")");
      continue;
    }
    if (!IsMd5Name(url)) {
      Add(out, Severity::kError, fields[i],
          Quoted(url) + L" does not end in 32 hexadecimal digits and an extension: the picture never validates "
                        L"(" + Quoted(PopGateCatalog::ImagesValid().refusalLog()) + L")");
    }
    if (!StartsWithIgnoringCase(url, L"https://")) {
      Add(out, Severity::kWarning, fields[i], Quoted(url) + L" is not https");
    }
    for (size_t j = 0; j < i; ++j) {
      if (urls[j] == url) {
        Add(out, Severity::kError, fields[i],
            L"equal to " + fields[j] + L": the module keeps one file per URL, so one of the two pictures is never "
                                       L"downloaded and the pop-up draws a missing picture");
      }
    }
  }
}

void CampaignLinter::CheckCountDown(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const bool given = item.MemberKind(kCountDownEnable.name) == qm::json::Kind::String;
  const std::wstring enableText = item.String(kCountDownEnable.name, L"0");
  if (given && enableText != L"0" && enableText != L"1") {
    Add(out, Severity::kWarning, kCountDownEnable.name,
        Quoted(enableText) + L" reads as " +
            std::to_wstring(item.Int(kCountDownEnable.name, kCountDownEnable.defaultNumber)) +
            L": only \"1\" turns the count-down on, anything else leaves it off");
  }
  if (item.Int(kCountDownEnable.name, kCountDownEnable.defaultNumber) != 1) return;
  const int hours = item.Int(kCountDownHours.name, kCountDownHours.defaultNumber);
  if (hours <= 0) {
    Add(out, Severity::kError, kCountDownHours.name,
        L"reads as " + std::to_wstring(hours) +
            L" with the count-down on: the pop-up closes at the first tick, a second after it opens (result 3)");
  } else if (hours >= 100) {
    Add(out, Severity::kWarning, kCountDownHours.name,
        std::to_wstring(hours) + L" hours print as three digits in a two-digit box");
  }
  const int style = item.Int(kCountDownStyle.name, kCountDownStyle.defaultNumber);
  if (style != 1 && style != 2) {
    Add(out, Severity::kWarning, kCountDownStyle.name,
        L"reads as " + std::to_wstring(style) + L": only 2 (white) changes anything, other values draw style 1");
  }
}

void CampaignLinter::CheckPrice(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const int months = item.Int(kPackageMonths.name, kPackageMonths.defaultNumber);
  if (months < 0) {
    Add(out, Severity::kError, kPackageMonths.name,
        L"reads as " + std::to_wstring(months) + L": negative, the purchase page gets selected_month_length=" +
            std::to_wstring(months));
  } else if (months > 0 && months % 12 != 0) {
    Add(out, Severity::kWarning, kPackageMonths.name,
        std::to_wstring(months) + L" months is not a whole number of years: the price block shows \"/" +
            std::to_wstring(months / 12) + L"\u5e74\" (\"/%d\u5e74\" of months / 12)");
  }
  const bool needsPrice = hostType_ == 0 || product::HostProfile::Of(hostType_).HasPrice();
  if (!needsPrice) return;
  const int minutes = item.Int(kRefreshMinutes.name, kRefreshMinutes.defaultNumber);
  const std::wstring hosts =
      hostType_ == 0 ? L"in host types " + PricedHostTypes() : L"in host type " + std::to_wstring(hostType_);
  if (minutes == 0) {
    Add(out, hostType_ == 0 ? Severity::kWarning : Severity::kError, kRefreshMinutes.name,
        L"reads as 0: " + hosts +
            L" the price is queried once at start-up and never refreshed; a failed query keeps the offer off "
            L"(reason 8) until the host restarts");
  } else if (minutes < 0) {
    Add(out, Severity::kError, kRefreshMinutes.name,
        L"reads as " + std::to_wstring(minutes) + L": negative, the wait between refreshes wraps to a huge value");
  }
}

void CampaignLinter::CheckQaUuids(const CampaignItem& item, std::vector<LintFinding>& out) const {
  const strategy::QaMachineList list = strategy::QaMachineList::Parse(item.String(kQaUuids.name, L""));
  for (const std::wstring& entry : list.malformed()) {
    Add(out, Severity::kError, kQaUuids.name,
        L"entry " + Quoted(entry) +
            L" is not a machine uuid (32 hexadecimal digits, dashes and braces allowed): the module ignores it "
            L"with a warning, so that machine never gets the QA look");
  }
  const size_t entries = list.uuids().size() + list.malformed().size();
  if (entries > kMostQaMachines) {
    Add(out, Severity::kWarning, kQaUuids.name,
        std::to_wstring(entries) + L" machines, more than a QA team's " + std::to_wstring(kMostQaMachines) +
            L": listed machines skip the audience checks and send no records, so this is an audience in disguise");
  }
}

}  // namespace campaign
