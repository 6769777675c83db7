#include "utils/FileStamp.h"

#include <windows.h>
#include <winternl.h>

namespace qm {

namespace {

// What NtQueryFullAttributesFile gives: the file's times, sizes and attributes by name, without
// opening it (an open costs a hundred times more under Wine).
struct NetworkOpenInformation {
  LARGE_INTEGER creationTime;
  LARGE_INTEGER lastAccessTime;
  LARGE_INTEGER lastWriteTime;
  LARGE_INTEGER changeTime;
  LARGE_INTEGER allocationSize;
  LARGE_INTEGER endOfFile;
  ULONG fileAttributes;
};

using QueryFullAttributes = NTSTATUS(NTAPI*)(POBJECT_ATTRIBUTES, NetworkOpenInformation*);
using DosPathToNtPath = BOOLEAN(NTAPI*)(PCWSTR, PUNICODE_STRING, PWSTR*, PVOID);
using FreeUnicodeString = VOID(NTAPI*)(PUNICODE_STRING);

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct NtFileQueries {
  QueryFullAttributes query = nullptr;
  DosPathToNtPath toNtPath = nullptr;
  FreeUnicodeString free = nullptr;

  static const NtFileQueries& Get() {
    static const NtFileQueries queries = [] {
      NtFileQueries found;
      if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        found.query = Export<QueryFullAttributes>(ntdll, "NtQueryFullAttributesFile");
        found.toNtPath = Export<DosPathToNtPath>(ntdll, "RtlDosPathNameToNtPathName_U");
        found.free = Export<FreeUnicodeString>(ntdll, "RtlFreeUnicodeString");
      }
      return found;
    }();
    return queries;
  }
};

bool QueryByName(const std::wstring& path, NetworkOpenInformation& info) {
  const NtFileQueries& nt = NtFileQueries::Get();
  UNICODE_STRING name{};
  if (!nt.query || !nt.toNtPath || !nt.free || !nt.toNtPath(path.c_str(), &name, nullptr, nullptr)) return false;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  const NTSTATUS status = nt.query(&attributes, &info);
  nt.free(&name);
  return status >= 0;
}

}  // namespace

FileStamp FileStamp::Of(const std::wstring& path) {
  FileStamp stamp;
  if (path.empty()) return stamp;
  NetworkOpenInformation info{};
  if (QueryByName(path, info)) {
    if (info.fileAttributes & FILE_ATTRIBUTE_DIRECTORY) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<uint64_t>(info.endOfFile.QuadPart);
    stamp.written = static_cast<uint64_t>(info.lastWriteTime.QuadPart);
    stamp.changed = static_cast<uint64_t>(info.changeTime.QuadPart);
    return stamp;
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return stamp;
  }
  stamp.exists = true;
  stamp.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  stamp.written = (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  stamp.changed = stamp.written;
  return stamp;
}

}  // namespace qm
