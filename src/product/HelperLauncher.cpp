#include "product/HelperLauncher.h"

#include <shellapi.h>
#include <shlobj.h>

#include "product/ChannelReader.h"
#include "product/ProductConstants.h"
#include "product/ProductInfoLoader.h"
#include "utils/Base64.h"
#include "utils/TextEncoding.h"

namespace product {

using namespace constants;

bool IsProgramPresent(const std::wstring& path) { return IsExistingFile(path); }

std::wstring HelperLauncher::HostFolder() { return FolderOfPath(system_.ExecutablePath()); }

std::wstring HelperLauncher::HostFolderHelper() { return HostFolder() + L"quillhelper.exe"; }

std::wstring HelperLauncher::ReaderFolderHelper() { return info_.readerFolder + L"quillhelper.exe"; }

std::wstring HelperLauncher::EncodeArguments(const std::wstring& text) {
  const std::string ansi = qm::encoding::WideToMultiByte(text, CP_THREAD_ACP);
  const std::string base64 = qm::encoding::Base64Encode(ansi);
  return qm::encoding::Base64Marker() + std::wstring(base64.begin(), base64.end());
}

std::wstring HelperLauncher::RightsCommandLine(const std::wstring& program, const std::wstring& arguments,
                                               int hostType) {
  return L"-admin -path:\"" + program + L"\" -param:\"" + EncodeArguments(arguments) + L"\" -pid:" +
         std::to_wstring(hostType);
}

std::wstring HelperLauncher::PurchaseUrl(int tryno, const std::wstring& parameter) {
  return kPurchaseSite.Reveal() + L"/" + std::to_wstring(tryno) + L"/pdf/?" + parameter;
}

std::wstring HelperLauncher::PageArguments(const PageTemplates& templates, int pageType, int vipFrom, int fid,
                                           const std::wstring& parameter, int tryno) {
  const auto found = templates.byType.find(pageType);
  if (found == templates.byType.end()) return {};
  std::wstring arguments = found->second + L" --vipfrom=" + std::to_wstring(vipFrom) + L" --subpid=1 --fid=" +
                           std::to_wstring(fid);
  if (!parameter.empty()) arguments += L" -url=" + PurchaseUrl(tryno, parameter);
  return arguments;
}

bool HelperLauncher::OpenPage(const PageTemplates& templates, int pageType, int vipFrom, int fid,
                              const std::wstring& parameter, StartMode mode) {
  if (!templates.byType.count(pageType)) return false;
  const int tryno = ChannelReader(system_, info_).TryNo();
  const std::wstring arguments = PageArguments(templates, pageType, vipFrom, fid, parameter, tryno);
  const std::wstring program = info_.installationFolder + kVipPageProgram.Reveal();
  if (mode == StartMode::kRightsUnlessAdmin && !IsUserAnAdmin()) return StartWithRights(program, arguments);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", program.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool HelperLauncher::StartWithRights(const std::wstring& program, const std::wstring& arguments) {
  const std::wstring helper = ReaderFolderHelper();
  if (!IsProgramPresent(helper)) return false;
  const std::wstring commandLine = RightsCommandLine(program, arguments, info_.hostType);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", helper.c_str(), commandLine.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool HelperLauncher::StartVipService() {
  std::wstring commandLine = HostFolder() + kTessikVipService.Reveal() + L" /runhide";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  Sleep(1000);
  return true;
}

}  // namespace product
