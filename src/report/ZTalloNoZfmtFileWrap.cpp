#include "report/ZTalloNoZfmtFileWrap.h"

#include "product/HelperLauncher.h"
#include "report/ReportConstants.h"

namespace report {

ZTalloNoZfmtFileWrap::ZTalloNoZfmtFileWrap(const std::vector<std::wstring>& folders) {
  const std::wstring fileName = constants::kTessikTalloClient.Reveal();
  for (const std::wstring& folder : folders) {
    // "\" or a relative name would load from the drive root or the current folder.
    if (!product::IsAbsoluteFolder(folder)) continue;
    const std::wstring path = folder + fileName;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module_) break;
  }
  if (!module_) return;
  export_ = reinterpret_cast<tallo::GetExportInterfaceFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, tallo::kGetExportInterfaceExport)));
}

ZTalloNoZfmtFileWrap::~ZTalloNoZfmtFileWrap() {
  if (module_) FreeLibrary(module_);
}

tallo::ITalloClient2* ZTalloNoZfmtFileWrap::CreateClient() const {
  return export_ ? export_(InterfaceName()) : nullptr;
}

}  // namespace report
