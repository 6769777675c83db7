#include "IniFuzzTarget.h"

#include "IniReference.h"
#include "utils/IniFileText.h"
#include "utils/TextEncoding.h"
#include "utils/ZIniReader.h"
#include "utils/ZIniWrapEx.h"

namespace hardening {

namespace {

// ASCII letters only: other scripts do not fold back one to one.
std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

// A header with no pair under it makes an empty section in the module's map; the rules know only
// pairs. Both write the same text, so empty sections are left out of the comparison.
qm::IniSections Pairs(const qm::IniSections& sections) {
  qm::IniSections pairs;
  for (const auto& [name, keys] : sections) {
    if (!keys.empty()) pairs.emplace(name, keys);
  }
  return pairs;
}

}  // namespace

std::vector<std::string> IniFuzzTarget::Corpus() {
  return {
      "\xEF\xBB\xBF[new_user_discount]\r\nlast_show_time=1716200000\r\n",
      "[common]\r\nTryNo = 5\r\nchannel=web \r\n[Sec]\r\nKey = Value \r\n[ a b ]\r\nx=1=2\r\n",
      "; leading comment\n[login_remind]\npop_time=1716100000\n\n[General]\nlastPopTime=1716000000\n",
      "junk before\n[s]\n=missing key\n",
      "[s]\n;comment\nafter=lost\n",
      "[\xE4\xB8\xAD\xE6\x96\x87]\n\xE9\x94\xAE=\xE5\x80\xBC\n[UPPER]\nMiXeD=CaSe\n",
      "[a]\r\n k1 = v1\r\n\tk2\t=\tv2\t\r\n[b]\r\n[c]\r\nk3=\r\n",
      "[x]\n[y=z\n[q]]\nv=[w]\n",
  };
}

std::vector<std::string> IniFuzzTarget::Tokens() const {
  return {"[", "]", "=", "\n", "\r\n", "\r", " ", "\t", ";", "#", "[common]\n", "key=value\n", "\xEF\xBB\xBF",
          "\x00", "\xC2\xA0", "\xE3\x80\x80", "[]", "[ ]", "==", "TryNo=", "\xC4\xB0"};
}

FuzzVerdict IniFuzzTarget::Run(const std::string& input) {
  // The bytes as both INI classes read a file: UTF-8 up to the first zero byte, CR as LF.
  const std::wstring text = qm::IniFileText::Decode(input.data(), input.size());
  qm::IniSections expected;
  const bool expectedResult = IniReference::Parse(text, expected);

  qm::ZIniReader reader;
  FuzzVerdict verdict = FuzzVerdict::Accepted(reader.LoadText(text));
  verdict.Check(verdict.accepted == expectedResult, "the reader's result differs from the line rules")
      .Check(Pairs(reader.Sections()) == expected, "the reader kept other pairs than the line rules");
  qm::ZIniWrapEx state;
  verdict.Check(state.Parse(text) == expectedResult, "the state document's result differs from the line rules")
      .Check(Pairs(state.Sections()) == expected, "the state document kept other pairs than the line rules");
  for (const auto& [section, keys] : expected) {
    for (const auto& [key, value] : keys) {
      const std::wstring* found = state.Find(Upper(section), Upper(key));
      if (found && *found == value && reader.GetString(section, key, L"\x1") == value) continue;
      verdict.Check(false, "a kept pair is not found by its name in other case");
      break;
    }
  }
  // Saved and read again: the same document.
  std::wstring written;
  state.ToText(written);
  const std::string bytes = qm::encoding::WideToUtf8(written);
  qm::ZIniWrapEx reread;
  const std::wstring again = qm::IniFileText::Decode(bytes.data(), bytes.size());
  reread.Parse(again);
  std::wstring rewritten;
  reread.ToText(rewritten);
  verdict.Check(rewritten == written, "saved text reads back as another document");
  if (verdict.failure.empty() && ++runs_ % 64 == 0) return ThroughFiles(input);
  return verdict;
}

FuzzVerdict IniFuzzTarget::ThroughFiles(const std::string& input) {
  const std::wstring path = folder_.File(L"fuzz.ini"), copy = folder_.File(L"copy.ini");
  testing_support::WriteBytes(path, input);
  qm::ZIniReader reader;
  const bool read = reader.Load(path);
  qm::ZIniWrapEx state;
  FuzzVerdict verdict = FuzzVerdict::Accepted(read);
  verdict.Check(state.Load(path), "a file under 2 MiB was not read");
  if (input.size() < 3) verdict.Check(!read, "the reader parsed a file under 3 bytes");
  verdict.Check(state.Save(copy), "the state document was not saved");
  qm::ZIniWrapEx reloaded;
  verdict.Check(reloaded.Load(copy), "the saved file was not read");
  std::wstring first, second;
  state.ToText(first);
  reloaded.ToText(second);
  verdict.Check(first == second, "the saved file reads back as another document");
  return verdict;
}

}  // namespace hardening
