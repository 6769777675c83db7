#include "IpcTestSupport.h"

#include <atomic>

#include "TestFiles.h"
#include "utils/ScopedHandle.h"

namespace ipc_test {

HMODULE LoadBeside(const std::wstring& name) {
  const std::wstring path = testing_support::ExecutableFolder() + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

sheer_vip::SheerIpcLibrary& Library() {
  static sheer_vip::SheerIpcLibrary* const library = new sheer_vip::SheerIpcLibrary(LoadBeside(L"tandipc.dll"));
  return *library;
}

std::wstring UniqueChannel(const std::wstring& tag) {
  static std::atomic<int> next{0};
  return L"ipc_test_" + tag + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++next);
}

std::string RequestMessage(const std::wstring& function, const std::string& bundle) {
  std::string message;
  for (int i = 0; i < 4; ++i) message.push_back(static_cast<char>((tandipc::kRequestMagic >> (8 * i)) & 0xff));
  message.push_back(static_cast<char>(function.size() & 0xff));
  message.push_back(static_cast<char>((function.size() >> 8) & 0xff));
  for (wchar_t c : function) {
    message.push_back(static_cast<char>(c & 0xff));
    message.push_back(static_cast<char>((c >> 8) & 0xff));
  }
  return message + bundle;
}

bool RawExchange(const std::wstring& channel, const std::string& message, std::string& answer, DWORD timeoutMs) {
  const std::wstring name = std::wstring(tandipc::kPipePrefix) + channel;
  qm::ScopedHandle pipe(
      CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
  if (!pipe) return false;
  DWORD mode = PIPE_READMODE_MESSAGE;
  SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
  qm::ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  OVERLAPPED overlapped{};
  overlapped.hEvent = event.get();
  DWORD done = 0;
  if (!WriteFile(pipe.get(), message.data(), static_cast<DWORD>(message.size()), &done, &overlapped) &&
      GetLastError() == ERROR_IO_PENDING) {
    if (WaitForSingleObject(event.get(), timeoutMs) != WAIT_OBJECT_0) {
      CancelIo(pipe.get());
      GetOverlappedResult(pipe.get(), &overlapped, &done, TRUE);
      return false;
    }
  }
  answer.assign(64 * 1024, '\0');
  ResetEvent(event.get());
  overlapped = OVERLAPPED{};
  overlapped.hEvent = event.get();
  if (!ReadFile(pipe.get(), answer.data(), static_cast<DWORD>(answer.size()), &done, &overlapped)) {
    if (GetLastError() != ERROR_IO_PENDING || WaitForSingleObject(event.get(), timeoutMs) != WAIT_OBJECT_0) {
      CancelIo(pipe.get());
      GetOverlappedResult(pipe.get(), &overlapped, &done, TRUE);
      return false;
    }
    if (!GetOverlappedResult(pipe.get(), &overlapped, &done, FALSE) && GetLastError() != ERROR_MORE_DATA) return false;
  }
  answer.resize(done);
  return true;
}

int32_t ResultOf(const std::string& answer) {
  if (answer.size() < 8) return INT32_MIN;
  uint32_t magic = 0;
  uint32_t result = 0;
  for (int i = 0; i < 4; ++i) {
    magic |= static_cast<uint32_t>(static_cast<uint8_t>(answer[i])) << (8 * i);
    result |= static_cast<uint32_t>(static_cast<uint8_t>(answer[4 + i])) << (8 * i);
  }
  return magic == tandipc::kResponseMagic ? static_cast<int32_t>(result) : INT32_MIN;
}

}  // namespace ipc_test
