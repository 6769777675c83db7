#pragma once

#include <optional>
#include <string>

namespace demo {

struct DemoOptions {
  int scene = 1;
  // "LogLevel" written before the module loads; nothing means leave the registry alone.
  std::optional<unsigned long> logLevel = 0;
  std::wstring modulePath;  // empty: pagesdkutil.dll beside the demo host
  bool showHelp = false;
  bool diagnose = false;  // print what the module detects about its host, as JSON, and stop
  bool explain = false;   // print every gate of the offer for the scene, and stop
  bool json = false;      // the explanation as one JSON document
  std::wstring click = L"none";  // close | confirm | none: the button clicked on the pop-up
  std::wstring screenshot;       // where a PNG of the pop-up goes; empty: none
  std::wstring keys;             // keys pressed on the pop-up instead of the click ("Tab,Enter")
  bool accessibility = false;    // print the pop-up's accessible tree once it shows
  // How long to wait after Initialize for the pop-up worker's first refresh (pictures, price);
  // 0: offer the exit scene at once.
  int waitRefreshSeconds = 30;
  // A second thread measures how long the UI thread takes to answer messages.
  bool watchUi = false;
  // Sessions run one after the other in this process (0: one session, as a host runs).
  int cycles = 0;
  // Before every session after the first, "last_show_time" in this INI file is set to 0, as a
  // person editing the module's state file would.
  std::wstring forgetShowFile;
  int clickAfterMs = 1000;  // how long the pop-up shows before the click
  // With cycles: each later session loads the module anew, at another address.
  bool reload = false;
  // Print what the process holds before and after each step of a session, and while the pop-up shows.
  bool footprint = false;
  // Time Initialize and count, on the UI thread meanwhile, the module's HTTP requests, pipe
  // connections, program starts and waits.
  bool probeInitialize = false;

  // Parses wmain's arguments; false with a message in error for anything it does not know.
  bool Parse(int argc, wchar_t** argv, std::wstring& error);
  static const char* Usage();
};

}  // namespace demo
