#pragma once

#include <string>

#include "product/HostSystem.h"
#include "product/PageTemplates.h"
#include "product/ProductInfo.h"

namespace product {

// Starts the host family's programs with their command lines: the helper "quillhelper.exe" (a
// raised-rights start) and the VIP page program. Nothing started is waited for or killed.
class HelperLauncher {
 public:
  enum class StartMode { kDirect, kRightsUnlessAdmin };

  HelperLauncher(HostSystem& system, ProductInfo& info) : system_(system), info_(info) {}

  // The helper beside the host executable (forced refreshes) and in the reader folder (raised
  // rights); "" when that folder is unknown.
  std::wstring HostFolderHelper();
  std::wstring ReaderFolderHelper();

  bool OpenPage(const PageTemplates& templates, int pageType, int vipFrom, int fid, const std::wstring& parameter,
                StartMode mode = StartMode::kDirect);
  // The page program's argument text, or "" for a type without a template.
  std::wstring PageArguments(const PageTemplates& templates, int pageType, int vipFrom, int fid,
                             const std::wstring& parameter, int tryno);
  bool StartWithRights(const std::wstring& program, const std::wstring& arguments);

  // "<|b64|>" and the base64 of the text in the thread's ANSI code page.
  static std::wstring EncodeArguments(const std::wstring& text);
  static std::wstring RightsCommandLine(const std::wstring& program, const std::wstring& arguments, int hostType);
  static std::wstring PurchaseUrl(int tryno, const std::wstring& parameter);

 private:
  std::wstring HostFolder();
  // The folder and the name, or "" with an ERROR line when the folder is not absolute.
  static std::wstring ProgramIn(const std::wstring& folder, const std::wstring& name);

  HostSystem& system_;
  ProductInfo& info_;
};

// True when the path names an existing file (not a folder).
bool IsProgramPresent(const std::wstring& path);
// "X:\..." or "\\server\...": a folder a program may be started from. An empty folder, or one
// such as "\" left by an empty registry value, is not.
bool IsAbsoluteFolder(const std::wstring& folder);

}  // namespace product
