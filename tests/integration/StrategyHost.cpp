#include "StrategyHost.h"

#include <windows.h>

#include <ctime>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/ZMd5.h"
#include "product/HostProfile.h"

namespace strategy_test {

using testing_support::ChildProcess;

namespace {

const wchar_t* const kInstallKeys[] = {L"", L"Software\\vendra\\Antivirus\\Channel",
                                       L"Software\\Yarrowsoft\\Orbilant\\Channel"};

void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

std::string Utf8(const std::wstring& text) { return qm::encoding::WideToUtf8(text); }

}  // namespace

bool StrategyHost::FirstOpenTime() const {
  return product::HostProfile::Of(type_).installTime == product::InstallTimeRule::kFirstOpenTime;
}

StrategyHost::~StrategyHost() {
  if (root_.empty()) return;
  RemoveLocalState();
  if (FirstOpenTime()) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kInstallKeys[type_]) + L"\\inkread").c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kInstallKeys[type_]);
  }
  ChildProcess::Run(L"hostfixture.exe", L"remove --type " + std::to_wstring(type_) + L" --root " + root_);
}

bool StrategyHost::Install(int type) {
  type_ = type;
  root_ = L"C:\\activity-hosts\\strategy" + std::to_wstring(type);
  const wchar_t* names[] = {L"", L"Tessik", L"Orbilant", L"Quillon"};
  folder_ = root_ + L"\\" + names[type] + L"\\";
  const std::wstring options = L" --tid1 1001 --tid2 2002 --tryno 5 --install-time 1 --uuid " +
                              qm::encoding::Utf8ToWide(kMachineUuid);
  if (ChildProcess::Run(L"hostfixture.exe", L"install --type " + std::to_wstring(type) + L" --root " + root_ +
                                                options) != 0) {
    return false;
  }
  const std::wstring built = testing_support::ExecutableFolder();
  bool copied = CopyFileW((built + L"strategyprobe.exe").c_str(), (folder_ + L"strategyprobe.exe").c_str(), FALSE);
  if (product::HostProfile::Of(type).report == product::ReportPath::kTessikClient) {
    copied = copied && CopyFileW((built + L"tessiktallo.dll").c_str(), (folder_ + L"tessiktallo.dll").c_str(), FALSE);
  } else {
    copied = copied && CopyFileW((built + L"vipsdktallo.dll").c_str(), (folder_ + L"wystanvipsdk.dll").c_str(), FALSE) &&
             CopyFileW((built + L"wystanvipsdk.dll").c_str(), (folder_ + L"vipsdkcore.dll").c_str(), FALSE);
  }
  if (!copied) return false;
  UxJsonEx::Document first;
  std::string output;
  ChildProcess::RunCapturing(folder_ + L"strategyprobe.exe", L"--scene 0", output);
  if (!first.Parse(qm::encoding::Utf8ToWide(output))) return false;
  localFolder_ = first[L"local_config_folder"].AsString();
  return !localFolder_.empty();
}

std::wstring StrategyHost::ImageUrl(const std::string& bytes) const {
  return L"https://img.example/pop/" + qm::encoding::ZMd5::HexW(qm::encoding::ZMd5::Of(bytes.data(), bytes.size())) +
         L".png";
}

void StrategyHost::WritePassingState() {
  priced_ = true;
  RemoveLocalState();
  const std::wstring util = localFolder_ + L"pagesdkutil\\";
  imageFields_.clear();
  const std::pair<const char*, const wchar_t*> images[] = {{"bg_url", L"new_user_discount_background.png"},
                                                           {"close_btn_url", L"new_user_discount_close_btn.png"},
                                                           {"confirm_btn_url", L"new_user_discount_confirm_btn.png"}};
  for (const auto& [field, file] : images) {
    const std::string bytes = "picture " + Utf8(file);
    qm::FileUtil::WriteAll(util + file, bytes);
    imageFields_ += std::string(", \"") + field + "\": \"" + Utf8(ImageUrl(bytes)) + "\"";
  }
  WriteConfig("\"avoid_tids\": \"7|2001-3\"", 2);
  SetInstallTime(static_cast<int64_t>(std::time(nullptr)) - 60);
  SetVip(false);
}

void StrategyHost::WriteConfig(const std::string& itemFields, int group, bool withItem) const {
  std::string item = "{\"pop_version\": \"1\", \"new_install_days\": \"1\"" + imageFields_;
  if (!itemFields.empty()) item += ", " + itemFields;
  item += "}";
  const std::string items = withItem ? "{\"new_user_discount_5\": " + item + "}" : "{}";
  qm::FileUtil::WriteAll(folder_ + L"zvanta.json", "{\"start\": true, \"supports_relative_reg_path\": true, \"items\": " +
                                                      items + ", \"groups\": {\"new_user_discount_5\": " +
                                                      std::to_string(group) + "}}");
}

void StrategyHost::SetInstallTime(int64_t seconds) const {
  if (FirstOpenTime()) {
    SetDword(HKEY_LOCAL_MACHINE, std::wstring(kInstallKeys[type_]) + L"\\inkread", L"first_open_time",
             static_cast<DWORD>(seconds));
  } else {
    SetDword(HKEY_CURRENT_USER, L"Software\\quillon", L"installtime", static_cast<DWORD>(seconds));
  }
}

void StrategyHost::SetLastShowTime(const std::string& value) const {
  qm::FileUtil::WriteAll(localFolder_ + L"pagesdkutil\\sdkutilcfg.ini",
                         "[new_user_discount]\r\nlast_show_time=" + value + "\r\n");
}

void StrategyHost::SetPdfPopTime(int64_t seconds) const {
  qm::FileUtil::WriteAll(localFolder_ + L"pdfpop\\general_local_cfg.ini",
                         "[General]\r\nlastPopTime=" + std::to_string(seconds) + "\r\n");
}

void StrategyHost::SetVip(bool vip) const {
  testing_support::WriteBytes(folder_ + L"vipsdk.state.json",
                              vip ? R"({"logged_in": true, "vip": true, "privileges": ["pdf_to_word"]})" : "{}");
}

void StrategyHost::SpoilCloseImage() const {
  qm::FileUtil::WriteAll(localFolder_ + L"pagesdkutil\\new_user_discount_close_btn.png", "not the picture");
}

void StrategyHost::RemoveLocalState() const {
  if (localFolder_.empty()) return;
  qm::FileUtil::RemoveTree(localFolder_ + L"pagesdkutil");
  DeleteFileW((localFolder_ + L"pdfpop\\general_local_cfg.ini").c_str());
}

std::wstring StrategyHost::Journal() const {
  const bool client = product::HostProfile::Of(type_).report == product::ReportPath::kTessikClient;
  return folder_ + (client ? L"tessiktallo.journal.jsonl" : L"vipsdktallo.journal.jsonl");
}

std::wstring StrategyHost::HostExecutable() const {
  const wchar_t* names[] = {L"", L"tessik.exe", L"orbilant.exe", L"WystanPDF.exe"};
  return folder_ + names[type_];
}

ProbeResult StrategyHost::Probe(int scene) const {
  ProbeResult result;
  DeleteFileW(Journal().c_str());
  std::string output;
  const std::wstring arguments = L"--scene " + std::to_wstring(scene) + (priced_ ? L" --price 79/89" : L"");
  if (ChildProcess::RunCapturing(folder_ + L"strategyprobe.exe", arguments, output) != 0) {
    return result;
  }
  UxJsonEx::Document report;
  if (!report.Parse(qm::encoding::Utf8ToWide(output))) return result;
  // Each probe logs to the same file; the run's lines are the last CanShow block.
  const std::string log = qm::FileUtil::ReadAll(report[L"log"].AsString());
  const size_t start = log.rfind("CanShow Start");
  result.log = start == std::string::npos ? std::string() : log.substr(start);
  result.ran = true;
  result.canShow = report[L"can_show"].AsBool();
  result.records = testing_support::ReadJournal(Journal(), L"record");
  return result;
}

bool StrategyHost::Explain(int scene, UxJsonEx::Document& report, int& exitCode) const {
  std::string output;
  exitCode = ChildProcess::RunCapturing(HostExecutable(), L"--explain --json --scene " + std::to_wstring(scene), output);
  return report.Parse(qm::encoding::Utf8ToWide(output));
}

}  // namespace strategy_test
