// The pop-up end to end with the keyboard and a screen reader's view: the demo host presses keys
// with real keyboard input instead of clicking, and prints the tree AccessibleObjectFromWindow
// gives; the records and the host's answer must be those of the mouse clicks.
#include <gtest/gtest.h>

#include "PopupHost.h"
#include "utils/TextEncoding.h"

namespace popup_test {
namespace {

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The show and the click (2 confirm, 1 close), and for confirm the purchase record.
void ExpectRecords(const PopupHost& host, int click) {
  const auto records = host.Records();
  ASSERT_EQ(records.size(), click == 2 ? 3u : 2u);
  EXPECT_TRUE(Contains(records[0].at(L"fields"), L"adshow:byte=1 adclick:byte=0"));
  EXPECT_TRUE(Contains(records[1].at(L"fields"), L"adshow:byte=1 adclick:byte=" + std::to_wstring(click)));
}

HostRun RunType1(PopupHost& host, const std::wstring& options) {
  EXPECT_TRUE(host.Install({}));
  return host.Run(L"none", options);
}

// Each way out by keys ends as its button's click: close (2, the show and close records) or
// confirm (1, the show, confirm and purchase records).
TEST(PopupKeys, KeysEndAsTheirButtonsClick) {
  struct Case {
    const wchar_t* keys;
    int result;
    int click;  // the click code its record carries
  };
  for (const Case& keys : {Case{L"Esc", 2, 1}, Case{L"Alt+F4", 2, 1}, Case{L"Tab,Tab,Enter", 1, 2},
                           Case{L"Shift+Tab,Space", 2, 1}}) {
    SCOPED_TRACE(keys.keys);
    PopupHost host(1);
    const HostRun run = RunType1(host, std::wstring(L"--keys ") + keys.keys);
    EXPECT_EQ(run.result, keys.result) << run.output;
    EXPECT_EQ(run.shownNotAccepted, keys.result == 2);
    ExpectRecords(host, keys.click);
  }
}

// Enter at once confirms; before it, a screen reader's tree names the dialog and its buttons.
TEST(PopupKeys, EnterAtOpenConfirmsAndTheTreeNamesTheButtons) {
  PopupHost host(1);
  const HostRun run = RunType1(host, L"--keys Enter --accessibility");
  EXPECT_EQ(run.result, 1) << run.output;
  ExpectRecords(host, 2);
  const std::wstring output = qm::encoding::Utf8ToWide(run.output);
  EXPECT_TRUE(Contains(output, L"demo: accessibility: dialog \"\u65b0\u7528\u6237\u4e13\u4eab\u4f18\u60e0\"")) << run.output;
  // Either button may also be "hot tracked": the pointer stays where an earlier test left it.
  EXPECT_TRUE(Contains(output, L"2 push button \"\u5173\u95ed\" [")) << run.output;
  EXPECT_TRUE(Contains(output, L"3 push button \"\u7acb\u5373\u5f00\u901a\" [focused, ")) << run.output;
  EXPECT_TRUE(Contains(output, L"79 \u5143 /1\u5e74")) << "the price read as one line\n" << run.output;
}

}  // namespace
}  // namespace popup_test
