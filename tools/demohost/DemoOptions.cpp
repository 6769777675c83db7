#include "DemoOptions.h"

#include <cwchar>
#include <vector>

#include "DemoKeys.h"

namespace demo {

namespace {

bool ParseNumber(const wchar_t* text, long& value) {
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 10);
  return end && end != text && *end == L'\0';
}

}  // namespace

const char* DemoOptions::Usage() {
  return "usage: demohost [--scene N] [--log-level N|keep] [--module PATH] [--click close|confirm|none]\n"
         "                [--screenshot PATH] [--wait-refresh S] [--diagnose] [--explain [--json]]\n"
         "                [--watch-ui] [--cycles N [--forget-show INI]] [--click-after MS]\n"
         "                [--footprint] [--probe-initialize] [--keys KEYS] [--accessibility]\n"
         "  --scene N        exit scene offered to the module (default 1)\n"
         "  --log-level N    \"LogLevel\" written before loading the module (default 0: DEBUG lines);\n"
         "                   keep: leave the registry as it is\n"
         "  --module PATH    the module to load (default: pagesdkutil.dll beside the demo host)\n"
         "  --click BUTTON   when the pop-up shows, click close or confirm like a person (default none)\n"
         "  --keys KEYS      when the pop-up shows, press these keys instead of clicking, with real keyboard\n"
         "                   input, e.g. \"Tab,Enter\"; keys: Tab, Enter, Space, Esc, F4, with Shift+, Alt+, Ctrl+\n"
         "  --accessibility  when the pop-up shows, print the tree a screen reader gets from it\n"
         "                   (AccessibleObjectFromWindow): role, name, state and place of each node\n"
         "  --screenshot P   when the pop-up shows, save a PNG of it to P (a Windows path)\n"
         "  --wait-refresh S after Initialize, wait up to S seconds (default 30) for the pop-up's first\n"
         "                   refresh of its pictures and price to finish, as the module logs it; 0: do not wait\n"
         "  --diagnose       print, as JSON, the host product, folders and channel record the module\n"
         "                   detects when this program is its host and it sits at the module path\n"
         "  --explain        run every check of the new-user offer for --scene and print each with its\n"
         "                   inputs and verdict; sends no report and changes nothing on disk. Exit code\n"
         "                   0 every check passes, 1 a check refuses, 2 it could not run\n"
         "  --json           with --explain: the same as one JSON document\n"
         "  --watch-ui       measure how long the UI thread takes to answer messages (a probe every ~10 ms\n"
         "                   from a second thread) and print the longest waits, outside and inside the\n"
         "                   pop-up's own loop\n"
         "  --cycles N       run N sessions (Initialize, exit scene, Uninitialize, Release) in this process\n"
         "                   and print the process's handle, window, GDI and memory counts every 20\n"
         "  --forget-show F  with --cycles: before each later session set \"last_show_time\" to 0 in the INI file F\n"
         "  --reload         with --cycles: free the module after each session and load it again at another\n"
         "                   address (the previous one is kept reserved meanwhile), as a host that unloads it\n"
         "  --click-after MS how long the pop-up shows before --click clicks (default 1000)\n"
         "  --footprint      print the process's handles, windows, GDI objects, private memory and working\n"
         "                   set before and after each step of the session and while the pop-up shows\n"
         "  --probe-initialize  time Initialize and count what the module does on the UI thread meanwhile:\n"
         "                   HTTP requests, named-pipe connections, program starts and waits (import-table\n"
         "                   wrappers on the module and the libraries it loads from outside the Windows folder)\n";
}

bool DemoOptions::Parse(int argc, wchar_t** argv, std::wstring& error) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (name == L"--help" || name == L"-h") {
      showHelp = true;
      continue;
    }
    if (name == L"--watch-ui" || name == L"--footprint" || name == L"--probe-initialize" || name == L"--reload") {
      (name == L"--watch-ui"     ? watchUi
       : name == L"--footprint" ? footprint
       : name == L"--reload"    ? reload
                                : probeInitialize) = true;
      continue;
    }
    if (name == L"--accessibility") {
      accessibility = true;
      continue;
    }
    if (name == L"--diagnose" || name == L"--explain" || name == L"--json") {
      (name == L"--diagnose" ? diagnose : name == L"--explain" ? explain : json) = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = L"missing value after " + name;
      return false;
    }
    const wchar_t* value = argv[++i];
    long number = 0;
    std::vector<DemoKeys::Key> parsedKeys;
    if (name == L"--scene" && ParseNumber(value, number)) {
      scene = static_cast<int>(number);
    } else if (name == L"--log-level" && std::wstring(value) == L"keep") {
      logLevel.reset();
    } else if (name == L"--log-level" && ParseNumber(value, number) && number >= 0) {
      logLevel = static_cast<unsigned long>(number);
    } else if (name == L"--module") {
      modulePath = value;
    } else if (name == L"--click" && (std::wstring(value) == L"close" || std::wstring(value) == L"confirm" ||
                                      std::wstring(value) == L"none")) {
      click = value;
    } else if (name == L"--wait-refresh" && ParseNumber(value, number) && number >= 0) {
      waitRefreshSeconds = static_cast<int>(number);
    } else if (name == L"--cycles" && ParseNumber(value, number) && number >= 0) {
      cycles = static_cast<int>(number);
    } else if (name == L"--forget-show") {
      forgetShowFile = value;
    } else if (name == L"--click-after" && ParseNumber(value, number) && number >= 0) {
      clickAfterMs = static_cast<int>(number);
    } else if (name == L"--keys" && DemoKeys::Parse(value, parsedKeys)) {
      keys = value;
    } else if (name == L"--screenshot") {
      screenshot = value;
    } else {
      error = L"unknown option or bad value: " + name + L" " + value;
      return false;
    }
  }
  return true;
}

}  // namespace demo
