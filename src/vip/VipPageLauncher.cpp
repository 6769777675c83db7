#include "vip/VipPageLauncher.h"

#include <shellapi.h>
#include <shlobj.h>

#include "product/ChannelReader.h"
#include "product/HelperLauncher.h"
#include "product/ProductConstants.h"

namespace vip {

VipPageLauncher VipPageLauncher::Real() {
  return VipPageLauncher(product::HostSystem::Real(), product::ProductInfo::Instance());
}

bool VipPageLauncher::IsAdmin() {
  return IsUserAnAdmin() != FALSE;
}

std::wstring VipPageLauncher::Program() const {
  // A relative name would be looked for in the current directory.
  if (!product::IsAbsoluteFolder(info_->installationFolder)) return {};
  return info_->installationFolder + product::constants::kVipPageProgram.Reveal();
}

int VipPageLauncher::TryNo() const {
  return product::ChannelReader(*system_, *info_).TryNo();
}

bool VipPageLauncher::StartWithShell(const std::wstring& arguments) const {
  const std::wstring program = Program();
  if (program.empty()) return false;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", program.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool VipPageLauncher::StartRaisedUnlessAdmin(const std::wstring& arguments) const {
  if (isAdmin_ && isAdmin_()) return StartWithShell(arguments);
  const std::wstring program = Program();
  if (program.empty()) return false;
  return product::HelperLauncher(*system_, *info_).StartWithRights(program, arguments);
}

}  // namespace vip
