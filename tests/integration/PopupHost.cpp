#include "PopupHost.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/ZMd5.h"
#include "product/HostProfile.h"

namespace popup_test {

using testing_support::ChildProcess;

namespace {

const wchar_t* const kFolders[] = {L"", L"Tessik", L"Orbilant", L"Quillon", L"PdfBuild", L"PdfBuild", L"PageSdk",
                                   L"Fennick"};
const wchar_t* const kExecutables[] = {L"",          L"tessik.exe",    L"orbilant.exe",    L"WystanPDF.exe",
                                       L"WystanPDF.exe", L"WystanPDF.exe", L"pagesdkhost.exe", L"fennick.exe"};
const wchar_t* const kLocalFolders[] = {L"",        L"TessikPDF", L"OrbilantPDF", L"quillon",
                                        L"quillon", L"quillon",   L"zpagesdk",    L"FennickPDF"};

std::string Utf8(const std::wstring& text) { return qm::encoding::WideToUtf8(text); }

int NumberAfter(const std::string& text, const std::string& marker) {
  const size_t at = text.rfind(marker);
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + marker.size());
}

}  // namespace

PopupHost::~PopupHost() {
  if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type 1 --root " + root_);
  if (!root_.empty()) DeleteFileW((root_ + L"-zvanta.json").c_str());
  qm::FileUtil::RemoveTree(UtilFolder());
}

std::wstring PopupHost::LocalFolderName() const { return kLocalFolders[type_]; }

std::wstring PopupHost::UtilFolder() const {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  return std::wstring(local ? local : L"") + L"\\" + LocalFolderName() + L"\\pagesdkutil\\";
}

std::wstring PopupHost::HostExecutable() const { return folder_ + kExecutables[type_]; }

std::wstring PopupHost::PublishPicture(const std::string& field, int width, int height, unsigned colour) const {
  const std::wstring staging = service_.FilesFolder() + L"\\" + tag_ + qm::encoding::Utf8ToWide(field) + L".png";
  CreateDirectoryW(service_.FilesFolder().c_str(), nullptr);
  testing_support::WritePicture(staging, width, height, {colour, colour | 0x00101010u, colour | 0x00202020u});
  const std::string bytes = qm::FileUtil::ReadAll(staging);
  const std::wstring md5 = qm::encoding::ZMd5::HexW(qm::encoding::ZMd5::Of(bytes.data(), bytes.size()));
  MoveFileExW(staging.c_str(), (service_.FilesFolder() + L"\\" + md5 + L".png").c_str(), MOVEFILE_REPLACE_EXISTING);
  return L"http://127.0.0.1:" + std::to_wstring(service_.httpPort()) + L"/files/" + md5 + L".png";
}

bool PopupHost::Install(const Campaign& campaign, const std::wstring& extra) {
  if (!service_.running()) return false;
  tag_ = L"popup" + std::to_wstring(type_) + L"_" + std::to_wstring(GetCurrentProcessId());
  root_ = L"C:\\activity-hosts\\pop" + std::to_wstring(type_);
  folder_ = root_ + L"\\" + kFolders[type_] + L"\\";
  qm::FileUtil::RemoveTree(UtilFolder());
  std::string item = "{\"pop_version\": \"1\", \"new_install_days\": \"1\", \"count_down_enable\": \"1\"";
  item += ", \"count_down_style\": \"1\", \"count_down_hours\": \"" + std::to_string(campaign.countDownHours) + "\"";
  item += ", \"recommand_package_months\": \"" + std::to_string(campaign.months) + "\"";
  item += ", \"update_vanta_minutes\": \"" + std::to_string(campaign.updateMinutes) + "\"";
  if (!campaign.qaUuids.empty()) item += ", \"qa_uuids\": \"" + campaign.qaUuids + "\"";
  item += ", \"bg_url\": \"" + Utf8(PublishPicture("bg", 520, 360, 0xFFC08040u)) + "\"";
  item += ", \"close_btn_url\": \"" + Utf8(PublishPicture("close", 24, 24, 0xFF404040u)) + "\"";
  item += ", \"confirm_btn_url\": \"" + Utf8(PublishPicture("confirm", 280, 68, 0xFFE05020u)) + "\"}";
  const std::string name = type_ == 6 ? "new_user_discount_-1" : "new_user_discount_5";
  const std::wstring config = root_ + L"-zvanta.json";
  qm::FileUtil::WriteAll(config, "{\"start\": true, \"supports_relative_reg_path\": true, \"items\": {\"" + name +
                                     "\": " + item + "}, \"groups\": {\"" + name +
                                     "\": " + std::to_string(campaign.group) + "}}");
  const std::wstring base = service_.HttpBase(L"demo", tag_);
  const time_t now = time(nullptr) - (campaign.oldInstall ? 30 * 86400 : 0);
  std::wstring options = L"install --type " + std::to_wstring(type_) + L" --root " + root_ +
                         L" --tid1 1001 --tid2 2002 --tryno 5 --install-time " + std::to_wstring(now) +
                         L" --first-open-time " + std::to_wstring(now) + L" --remote-config " + config +
                         L" --wexutil --wexutil-rule https://vipcenter.tessik.example/ " + base +
                         L"t/ --wexutil-rule https://vip.orbilant.example/ " + base + L"o/";
  if (type_ == 4 || type_ == 5) options += L" --family-row 5";
  if (type_ == 6) options += L" --family-row 101";
  return ChildProcess::Run(L"hostfixture.exe", options + L" " + extra) == 0;
}

void PopupHost::WriteVipSdkState(const std::string& json) const {
  testing_support::WriteBytes(folder_ + L"vipsdk.state.json", json);
}

HostRun PopupHost::Run(const std::wstring& click, const std::wstring& more) const {
  HostRun run;
  run.exitCode = ChildProcess::RunCapturing(HostExecutable(), L"--click " + click + L" " + more, run.output);
  if (_wgetenv(L"POPUP_TEST_VERBOSE")) fputs(run.output.c_str(), stdout);  // the host's whole story
  run.result = NumberAfter(run.output, "show pop dlg ret is ");
  run.shown = run.output.find("shown=true") != std::string::npos;
  run.shownNotAccepted = run.output.find("shown_not_accepted=true") != std::string::npos;
  run.uninitializeMs = NumberAfter(run.output, "demo: Uninitialize took ");
  return run;
}

std::vector<testing_support::JournalEntry> PopupHost::Journal(const std::wstring& component,
                                                              const std::wstring& call) const {
  return testing_support::ReadJournal(folder_ + component + L".journal.jsonl", call);
}

std::vector<testing_support::JournalEntry> PopupHost::Records() const {
  const bool client = product::HostProfile::Of(type_).report == product::ReportPath::kTessikClient;
  return Journal(client ? L"tessiktallo" : L"vipsdktallo", L"record");
}

std::vector<std::wstring> PopupHost::PageCommands(size_t expected, unsigned long limitMs) const {
  std::vector<std::wstring> commands;
  // The page program runs on its own: its journal line may come after the host has ended.
  for (const auto& entry : testing_support::WaitForJournal(folder_ + L"vippage.journal.jsonl", L"run", expected,
                                                           limitMs)) {
    commands.push_back(entry.at(L"command_line"));
  }
  return commands;
}

}  // namespace popup_test
