// Parse time of 1 MiB of ordinary input against 1 MiB shaped to be slow, for the INI reader,
// string substitution and the engine's XML documents. The ratio should stay small (under 3).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "utils/IniDocument.h"
#include "utils/UxJson.h"
#include "uxwin/style/UxString.h"

namespace {

constexpr size_t kSize = 1u << 20;

double SecondsOf(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

void Report(const char* what, double ordinary, double worst) {
  std::printf("%-28s ordinary %8.4f s   worst %8.4f s   ratio %6.2f\n", what, ordinary, worst, worst / ordinary);
}

std::wstring Repeat(const std::wstring& piece, size_t size) {
  std::wstring text;
  text.reserve(size + piece.size());
  while (text.size() < size) text += piece;
  return text;
}

void IniShapes() {
  // Ordinary: many small sections. Worst: one header of half the size, then short pairs.
  std::wstring ordinary;
  for (int section = 0; ordinary.size() < kSize; ++section) {
    ordinary += L"[section" + std::to_wstring(section) + L"]\n";
    for (int key = 0; key < 8; ++key) ordinary += L"key" + std::to_wstring(key) + L"=value " + std::to_wstring(key) + L"\n";
  }
  const std::wstring worst = L"[" + std::wstring(kSize / 2, L'a') + L"]\n" + Repeat(L"k=v\n", kSize / 2);
  Report("ini (IniDocument)", SecondsOf([&] { qm::IniDocument().ParseText(ordinary); }),
         SecondsOf([&] { qm::IniDocument().ParseText(worst); }));
}

void SubstitutionShapes() {
  UxString strings;
  strings.LoadDocument("<string><s id=\"1\">text</s></string>");
  const std::wstring ordinary = Repeat(L"A line of plain text with one %str1% reference.\n", kSize);
  const std::wstring worst = Repeat(L"%str1%", kSize);
  Report("string substitution", SecondsOf([&] { strings.Substitute(ordinary); }),
         SecondsOf([&] { strings.Substitute(worst); }));
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void DocumentShapes() {
  const std::string head = "<string>";
  std::string ordinary = head;
  for (int id = 1; ordinary.size() < kSize; ++id) {
    ordinary += "<s id=\"" + std::to_string(id) + "\">An ordinary string &amp; a reference &#20013;</s>";
  }
  ordinary += "</string>";
  const std::string worst = head + "<s id=\"1\">" + Narrow(Repeat(L"&#", kSize)) + "</s></string>";
  Report("xml strings document", SecondsOf([&] { UxString().LoadDocument(ordinary); }),
         SecondsOf([&] { UxString().LoadDocument(worst); }));
}

void JsonShapes() {
  const std::wstring ordinary = L"[" + Repeat(L"{\"name\":\"value\",\"count\":12345},", kSize) + L"{}]";
  const std::wstring worst = L"[" + Repeat(L"\"\\u00e9\\u00e9\\u00e9\\u00e9\",", kSize) + L"0]";
  Report("json (32-bit model)", SecondsOf([&] { qm::UxJson::Document().Parse(ordinary); }),
         SecondsOf([&] { qm::UxJson::Document().Parse(worst); }));
}

}  // namespace

int main() {
  std::printf("parsers, 1 MiB of each shape (characters):\n");
  IniShapes();
  SubstitutionShapes();
  DocumentShapes();
  JsonShapes();
  return 0;
}
