#include "uxwin/UxEngine.h"

#include <mutex>
#include <string>

#include "utils/Log.h"
#include "uxwin/control/UxControlTable.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxString.h"
#include "uxwin/style/UxStyleRegistry.h"

namespace {

void LoadDocument(int id, bool (*load)(const std::string&)) {
  std::string bytes;
  if (!UxResourceLoader::Instance().Load(L"xml", id, bytes) || !load(bytes)) {
    ZLOG(ERROR) << L"skin engine document " << id << L" is missing or not valid";
  }
}

}  // namespace

void UxEngine::SetUpOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    UxControlTable::Install();
    LoadDocument(60002, [](const std::string& xml) { return UxString::Instance().LoadDocument(xml); });
    LoadDocument(60000, [](const std::string& xml) { return UxSkinPool::Instance().LoadDocument(xml); });
    LoadDocument(60001, [](const std::string& xml) { return UxStyleRegistry::Instance().LoadDocument(xml); });
  });
}

void UxEngine::WarmUp() {
  SetUpOnce();
  UxFontPool::Instance();  // made once, thread-safely; its fonts are used on the UI thread only
}
