#include "ChildProcess.h"

#include "TestFiles.h"

namespace testing_support {

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments) {
  const std::wstring path = ExecutableFolder() + program;
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
  }
}

ChildProcess::~ChildProcess() {
  if (process_) {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
    CloseHandle(process_);
  }
}

int ChildProcess::Wait(DWORD milliseconds) {
  if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

int ChildProcess::Run(const std::wstring& program, const std::wstring& arguments) {
  ChildProcess child(program, arguments);
  return child.Wait();
}

}  // namespace testing_support
