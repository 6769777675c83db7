#include "ChildProcess.h"

#include <algorithm>
#include <string>

#include "TestFiles.h"

namespace testing_support {

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments, HANDLE standardOutput) {
  const bool bare = program.find_first_of(L"\\/:") == std::wstring::npos;
  const std::wstring path = bare ? ExecutableFolder() + program : program;
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (standardOutput) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = standardOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  PROCESS_INFORMATION info{};
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, standardOutput != nullptr, 0, nullptr,
                     nullptr, &startup, &info)) {
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

int ChildProcess::RunCapturing(const std::wstring& program, const std::wstring& arguments, std::string& output,
                               DWORD deadlineMs) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  ChildProcess child(program, arguments, writeEnd);
  CloseHandle(writeEnd);  // the child (and what it starts) holds the only write ends now
  output.clear();
  // Polled rather than read to the end: a helper the program started may keep its own copy of the
  // write end, and a program that hangs must fail its test with what it wrote, not time the test out.
  const ULONGLONG deadline = GetTickCount64() + deadlineMs;
  for (bool ended = !child.started(); ;) {
    DWORD available = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;  // every writer is gone
    if (available > 0) {
      char chunk[4096];
      DWORD read = 0;
      if (!ReadFile(readEnd, chunk, std::min<DWORD>(available, sizeof(chunk)), &read, nullptr)) break;
      output.append(chunk, read);
      continue;
    }
    if (ended) break;  // what the program wrote before it ended has been read
    ended = WaitForSingleObject(child.process_, 20) == WAIT_OBJECT_0;
    if (!ended && GetTickCount64() > deadline) {
      output += "\n[harness: the program was still running after " + std::to_string(deadlineMs / 1000) +
                " s; it was ended]\n";
      TerminateProcess(child.process_, 98);
      break;
    }
  }
  CloseHandle(readEnd);
  return child.Wait();
}

int ChildProcess::Run(const std::wstring& program, const std::wstring& arguments) {
  ChildProcess child(program, arguments);
  return child.Wait();
}

}  // namespace testing_support
