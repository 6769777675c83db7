#pragma once

#include <windows.h>

#include <string>

namespace demo {

// Counts what the module asks of the outside world on the UI thread while counting is on: HTTP
// requests, connections to named pipes, programs started, and every wait or sleep with its time.
// The import tables of the module and of every library loaded from outside the Windows folder
// (the stand-ins it loads later included) are pointed at counting wrappers (UiCallHooks).
class UiCallProbe {
 public:
  enum Kind { kNetwork, kPipe, kProcessStart };
  // Counted on every thread from Install on: the skin engine's GDI+ start-up and fonts.
  enum EngineKind { kGdiplusStartup, kFontMade };

  struct Counts {
    unsigned long networkCalls = 0;     // WinHttpConnect, WinHttpSendRequest, WinHttpReceiveResponse
    unsigned long pipeConnections = 0;  // CreateFileW on \\.\pipe\..., WaitNamedPipeW, CallNamedPipeW
    unsigned long processStarts = 0;    // CreateProcessA/W, ShellExecuteW, ShellExecuteExW
    unsigned long processWaits = 0;     // waits that include a process handle
    unsigned long waits = 0;            // waits and sleeps with a time-out other than 0
    double waitMs = 0;                  // time spent in them
    double longestWaitMs = 0;
    unsigned long libraryLoads = 0;  // LoadLibrary*, and the time in them (the libraries' start-up)
    double libraryLoadMs = 0;

    std::wstring ToText() const;
  };

  // Patches the module's imports and those of the libraries already loaded beside it.
  static bool Install(HMODULE module);
  // Counts the calling thread's calls until End.
  static void Begin();
  static Counts End();

  // For the wrappers.
  static bool Counting();
  static void Record(Kind kind);
  static void RecordWait(double milliseconds, bool onProcess);
  static void RecordEngine(EngineKind kind);
  static void RecordLoad(double milliseconds);
  // "GDI+ startups N, fonts made N", or "" before Install.
  static std::wstring EngineText();
  static void PatchNewModules();  // after a library was loaded
};

}  // namespace demo
