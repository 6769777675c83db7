#include "product/HelperLauncher.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwctype>

#include "product/ChannelReader.h"
#include "product/ProductConstants.h"
#include "product/ProductInfoLoader.h"
#include "utils/Base64.h"
#include "utils/Log.h"
#include "utils/TextEncoding.h"

namespace product {

using namespace constants;

bool IsProgramPresent(const std::wstring& path) { return IsExistingFile(path); }

bool IsAbsoluteFolder(const std::wstring& folder) {
  const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool drive = folder.size() >= 3 && iswalpha(folder[0]) && folder[1] == L':' && separator(folder[2]);
  const bool share = folder.size() >= 3 && separator(folder[0]) && separator(folder[1]) && !separator(folder[2]);
  return drive || share;
}

std::wstring HelperLauncher::HostFolder() { return FolderOfPath(system_.ExecutablePath()); }

std::wstring HelperLauncher::HostFolderHelper() { return ProgramIn(HostFolder(), L"quillhelper.exe"); }

std::wstring HelperLauncher::ReaderFolderHelper() { return ProgramIn(info_.readerFolder, L"quillhelper.exe"); }

std::wstring HelperLauncher::ProgramIn(const std::wstring& folder, const std::wstring& name) {
  // An unknown folder would make the name relative: the drive root or the current directory.
  if (!IsAbsoluteFolder(folder)) {
    ZLOG(ERROR) << L"no folder known for " << name << L"; not started";
    return {};
  }
  return folder + name;
}

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
  const std::wstring program = ProgramIn(info_.installationFolder, kVipPageProgram.Reveal());
  if (program.empty()) return false;
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

}  // namespace product
