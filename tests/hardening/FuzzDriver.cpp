#include "FuzzDriver.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "FuzzMutator.h"
#include "KnownFaults.h"

namespace hardening {

namespace {

// What the crash filter and the hang watch report: the input being parsed right now.
FuzzTarget* g_target = nullptr;
const std::string* g_input = nullptr;
std::atomic<size_t> g_index{0};
std::atomic<ULONGLONG> g_started{0};  // 0 between inputs
std::atomic<bool> g_preparing{false};  // in the target's Adjust, not in the parser

struct WorkerJob {
  FuzzTarget* target;
  const FuzzDriver::Options* options;
  FuzzDriver::Result* result;
};

std::string Hex(const std::string& bytes, size_t limit) {
  std::string text;
  char pair[4];
  for (size_t i = 0; i < bytes.size() && i < limit; ++i) {
    std::snprintf(pair, sizeof(pair), "%02x", static_cast<unsigned char>(bytes[i]));
    text += pair;
  }
  if (bytes.size() > limit) text += "...";
  return text;
}

std::wstring ArtifactPath(const char* target, size_t index) {
  wchar_t exe[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe, length);
  folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"artifacts";
  CreateDirectoryW(folder.c_str(), nullptr);
  wchar_t name[128];
  std::swprintf(name, 128, L"\\hardening-%hs-%zu.bin", target, index);
  return folder + name;
}

double Milliseconds(ULONGLONG from, ULONGLONG to) { return static_cast<double>(to - from); }

}  // namespace

void FuzzDriver::Report(const char* what, FuzzTarget& target, size_t index, const std::string& input,
                        const std::string& why) {
  const std::wstring path = ArtifactPath(target.Name(), index);
  if (HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::printf("%s: %s input %zu (%zu bytes) %s\n  saved as %ls\n  bytes: %s\n", target.Name(), what, index,
              input.size(), why.c_str(), path.c_str(), Hex(input, 160).c_str());
  std::fflush(stdout);
}

LONG WINAPI FuzzDriver::OnCrash(EXCEPTION_POINTERS* pointers) {
  static std::atomic<bool> once{false};
  if (!once.exchange(true) && g_target && g_input) {
    char why[128];
    std::snprintf(why, sizeof(why), "exception %08lx at %p%s", pointers->ExceptionRecord->ExceptionCode,
                  pointers->ExceptionRecord->ExceptionAddress, g_preparing ? " (while preparing the input)" : "");
    Report("CRASH", *g_target, g_index.load(), *g_input, why);
  }
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 2);
  return EXCEPTION_EXECUTE_HANDLER;
}

void FuzzDriver::Install() {
  SetUnhandledExceptionFilter(&FuzzDriver::OnCrash);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

void FuzzDriver::Loop(FuzzTarget& target, const Options& options, Result& result) {
  FuzzRandom random(options.seed);
  FuzzMutator mutator(random, target.Corpus(), target.Tokens(), target.Openers());
  std::string input;
  g_target = &target;
  g_input = &input;
  const ULONGLONG begin = GetTickCount64();
  for (size_t index = 0; index < options.count; ++index) {
    input = mutator.Next();
    g_index = index;
    g_preparing = true;
    target.Adjust(input, random);
    g_preparing = false;
    ++result.inputs;
    if (options.skipKnownFaults && KnownFaults::Matches(target.Name(), input)) {
      ++result.skipped;
      continue;
    }
    g_index = index;
    const ULONGLONG started = GetTickCount64();
    g_started = started;
    FuzzVerdict verdict;
    try {
      verdict = target.Run(input);
    } catch (const std::exception& error) {
      verdict.failure = std::string("exception escaped: ") + error.what();
    } catch (...) {
      verdict.failure = "exception escaped";
    }
    const ULONGLONG ended = GetTickCount64();
    g_started = 0;
    result.slowestMilliseconds = std::max(result.slowestMilliseconds, Milliseconds(started, ended));
    if (!verdict.failure.empty()) {
      if (++result.failures <= 5) Report("FAILURE", target, index, input, verdict.failure);
    } else if (verdict.accepted) {
      ++result.accepted;
      mutator.Remember(input);
    } else {
      ++result.refused;
    }
  }
  result.seconds = Milliseconds(begin, GetTickCount64()) / 1000.0;
}

DWORD WINAPI FuzzDriver::Worker(void* parameter) {
  auto* job = static_cast<WorkerJob*>(parameter);
  // Room for the crash filter to run after a stack overflow.
  ULONG guarantee = 64 * 1024;
  SetThreadStackGuarantee(&guarantee);
  Loop(*job->target, *job->options, *job->result);
  return 0;
}

FuzzDriver::Result FuzzDriver::Run(FuzzTarget& target, const Options& options) {
  Result result;
  WorkerJob job{&target, &options, &result};
  // The module parses on the host's threads: give the parsers a typical 1 MiB stack, not more.
  HANDLE worker = CreateThread(nullptr, 1024 * 1024, &FuzzDriver::Worker, &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!worker) {
    std::printf("%s: cannot start the worker thread\n", target.Name());
    result.failures = 1;
    return result;
  }
  while (WaitForSingleObject(worker, 100) == WAIT_TIMEOUT) {
    const ULONGLONG started = g_started.load();
    if (started && GetTickCount64() - started > options.hangMilliseconds) {
      char why[64];
      std::snprintf(why, sizeof(why), "still running after %lu ms", options.hangMilliseconds);
      Report("HANG", target, g_index.load(), *g_input, why);
      TerminateProcess(GetCurrentProcess(), 3);
    }
  }
  CloseHandle(worker);
  g_target = nullptr;
  g_input = nullptr;
  return result;
}

}  // namespace hardening
