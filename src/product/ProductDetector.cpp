#include "product/ProductDetector.h"

#include <algorithm>

#include "product/ProductConstants.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"

namespace product {

namespace {

using constants::FolderSource;

struct FolderRow {
  std::wstring key;
  std::wstring value;
  FolderSource source;
};

std::optional<FolderRow> RowOf(int productId) {
  using namespace constants;
  switch (productId) {
    case 0: return FolderRow{kTessikKey.Reveal(), kProgramPath.Reveal(), FolderSource::kValue};
    case 1: return FolderRow{kTessikLiteKey.Reveal(), kInstallPath.Reveal(), FolderSource::kValue};
    case 2: return FolderRow{kOrbilantKey.Reveal(), kAppPath.Reveal(), FolderSource::kValue};
    case 3: return FolderRow{kOrbilantNetKey.Reveal(), kWorkPath.Reveal(), FolderSource::kValue};
    case 5: return FolderRow{kQuillonOfficeKey.Reveal(), kUninstallString.Reveal(), FolderSource::kUninstallString};
    case 7: return FolderRow{kFennickMailKey.Reveal(), kProgramPath.Reveal(), FolderSource::kValue};
    case 8: return FolderRow{kFennickKey.Reveal(), kProgramPath.Reveal(), FolderSource::kValue};
    case 9: return FolderRow{kQuillonKey.Reveal(), kUninstallString.Reveal(), FolderSource::kUninstallString};
    case 10: return FolderRow{kTessikSafeKey.Reveal(), kProgramPath.Reveal(), FolderSource::kValue};
    case 15: return FolderRow{kWystanCloudKey.Reveal(), kInstallPath.Reveal(), FolderSource::kValue};
    case 17: return FolderRow{kYarrowPlayerKey.Reveal(), kUninstallString.Reveal(), FolderSource::kUninstallString};
    case 18:
    case 101: return FolderRow{kPageSdkKey.Reveal(), kWorkPath.Reveal(), FolderSource::kValue};
    default: return std::nullopt;
  }
}

std::wstring ComparableFolder(const std::wstring& path) {
  std::wstring text = qm::encoding::ToLower(path);
  while (!text.empty() && text.back() == L'\\') text.pop_back();
  return text;
}

// Installers often quote paths ("C:\Program Files\Q\uninst.exe" /S); the quote is not part of the folder.
std::wstring Unquoted(const std::wstring& value) {
  if (value.empty() || value.front() != L'"') return value;
  const size_t closing = value.find(L'"', 1);
  return value.substr(1, closing == std::wstring::npos ? std::wstring::npos : closing - 1);
}

bool EndsWithSeparator(const std::wstring& path) {
  return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

}  // namespace

std::optional<std::wstring> ProductDetector::FolderOf(int productId) {
  const std::optional<FolderRow> row = RowOf(productId);
  if (!row) return std::nullopt;
  std::optional<std::wstring> value = system_.ReadString(HKEY_LOCAL_MACHINE, row->key, row->value, KEY_WOW64_32KEY);
  if (!value) return value;
  *value = Unquoted(*value);
  if (value->empty()) return std::nullopt;
  if (row->source == FolderSource::kValue) return value;
  std::replace(value->begin(), value->end(), L'/', L'\\');
  const size_t slash = value->find_last_of(L'\\');
  if (slash == std::wstring::npos) return std::nullopt;
  value->resize(slash);
  if (value->empty()) return std::nullopt;
  return value;
}

bool ProductDetector::TryCandidate(int productId, const std::wstring& executable, DetectionResult& result) {
  const std::optional<std::wstring> folder = FolderOf(productId);
  if (!folder) return false;
  // A plain prefix test: c:\app also matches an executable under c:\apps.
  if (executable.compare(0, ComparableFolder(*folder).size(), ComparableFolder(*folder)) != 0) return false;
  // Only a folder that contains the executable competes; the antivirus folder that stands in
  // when nothing matches must not shut out a shorter matching one.
  if (matched_ && folder->size() < result.productFolder.size()) return false;
  matched_ = true;
  result.productFolder = EndsWithSeparator(*folder) ? *folder : *folder + L"\\";
  result.productId = productId;
  return true;
}

DetectionResult ProductDetector::Detect() {
  const std::wstring executable = ComparableFolder(system_.ExecutablePath());
  DetectionResult result;
  matched_ = false;
  for (int candidate : {0, 2, 5, 10, 1, 3, 8, 9}) TryCandidate(candidate, executable, result);
  if (TryCandidate(101, executable, result)) {
    result.productId = qm::FileUtil::IsFile(result.productFolder + constants::kPageSdkTagFile.Reveal()) ? 18 : 101;
  }
  TryCandidate(17, executable, result);
  if (!matched_) result.productFolder = FolderOf(0).value_or(L"");
  if (result.productFolder.empty() || result.productFolder.back() != L'\\') result.productFolder += L'\\';
  return result;
}

const DetectionResult& ProductDetector::Current() {
  static const DetectionResult* const current = new DetectionResult(ProductDetector(HostSystem::Real()).Detect());
  return *current;
}

}  // namespace product
