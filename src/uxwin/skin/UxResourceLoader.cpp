#include "uxwin/skin/UxResourceLoader.h"

#include "utils/FileUtil.h"
#include "utils/Log.h"
#include "utils/ModulePaths.h"

namespace {

std::wstring EntryName(int id, const std::wstring& type) { return std::to_wstring(id) + L"." + type; }

}  // namespace

UxResourceLoader& UxResourceLoader::Instance() {
  static UxResourceLoader* const instance = new UxResourceLoader();
  return *instance;
}

UxResourceLoader::UxResourceLoader() : module_(qm::ModulePaths::OwnModule()) {}

void UxResourceLoader::SetFolders(std::wstring first, std::wstring second) {
  firstFolder_ = std::move(first);
  secondFolder_ = std::move(second);
}

void UxResourceLoader::AddToMemory(int id, const std::wstring& type, std::string bytes) {
  memory_[EntryName(id, type)] = std::move(bytes);
}

bool UxResourceLoader::FromModule(HMODULE module, const std::wstring& type, int id, std::string& bytes) {
  if (!module) return false;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type.c_str());
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, found);
  if (!data) return false;
  bytes.assign(static_cast<const char*>(data), size);
  return true;
}

bool UxResourceLoader::FromFolder(const std::wstring& folder, const std::wstring& type, int id, std::string& bytes) {
  if (folder.empty()) return false;
  const std::wstring path = folder + L"\\" + EntryName(id, type);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  // Files beside the host are not ours: a document far beyond any real layout is not parsed.
  const uint64_t limit = type == L"xml" ? kMaxFolderDocumentBytes : kMaxFolderImageBytes;
  if (size > limit) {
    ZLOG(WARNING) << L"resource file too large, skipped: " << path << L" (" << size << L" bytes)";
    return false;
  }
  return qm::FileUtil::ReadAll(path, bytes, static_cast<size_t>(limit));
}

bool UxResourceLoader::Load(const std::wstring& type, int id, std::string& bytes) const {
  for (const std::wstring* folder : {&secondFolder_, &firstFolder_}) {
    if (FromFolder(*folder, type, id, bytes)) return true;
  }
  if (FromModule(module_, type, id, bytes)) return true;
  const auto found = memory_.find(EntryName(id, type));
  if (found != memory_.end()) {
    bytes = found->second;
    return true;
  }
  return FromModule(GetModuleHandleW(nullptr), type, id, bytes);
}
