#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A program started from the test's folder with a command line; waits for it on demand.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& program, const std::wstring& arguments, HANDLE standardOutput = nullptr);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  // The exit code, or -1 when it did not start or did not end within the time.
  int Wait(DWORD milliseconds = 60000);

  // Starts and waits in one step. A program without a drive or folder is taken from the test's folder.
  static int Run(const std::wstring& program, const std::wstring& arguments);
  // The same, collecting what the program writes to its standard output. A program still running
  // after deadlineMs is ended (exit code 98) and the output says so.
  static int RunCapturing(const std::wstring& program, const std::wstring& arguments, std::string& output,
                          DWORD deadlineMs = 240000);

 private:
  HANDLE process_ = nullptr;
};

}  // namespace testing_support
