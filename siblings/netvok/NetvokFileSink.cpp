#include "netvok/NetvokFileSink.h"

#include "family/Netvok.h"

namespace siblings {

NetvokFileSink::NetvokFileSink(std::wstring path)
    : path_(std::move(path)),
      file_(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

NetvokFileSink::~NetvokFileSink() { Close(); }

int NetvokFileSink::Write(const char* data, size_t size) {
  DWORD written = 0;
  const BOOL ok = WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr);
  return ok && written == size ? 0 : netvok::kFailureFile;
}

void NetvokFileSink::Finish(bool keep) {
  Close();
  if (!keep) DeleteFileW(path_.c_str());
}

void NetvokFileSink::Close() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

}  // namespace siblings
