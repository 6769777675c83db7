#pragma once

#include <windows.h>

#include <string>

namespace siblings {

// The file a download streams into; it goes again when the transfer fails.
class NetvokFileSink {
 public:
  explicit NetvokFileSink(std::wstring path);
  ~NetvokFileSink();
  NetvokFileSink(const NetvokFileSink&) = delete;
  NetvokFileSink& operator=(const NetvokFileSink&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  int Write(const char* data, size_t size);  // 0 or netvok::kFailureFile
  void Finish(bool keep);

 private:
  void Close();

  std::wstring path_;
  HANDLE file_;
};

}  // namespace siblings
