// Parse time of 1 MiB of ordinary input against 1 MiB shaped to be slow, for the INI reader,
// string substitution, the engine's XML documents, JSON objects whose keys share one hash, and the
// copy of a bundle nested to the deepest level loading allows. The ratio should stay small (under 3).
// One line each: "name: worst ms (peer: ordinary ms, ratio R)".
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "CollidingKeys.h"
#include "utils/IniDocument.h"
#include "utils/UxJson.h"
#include "utils/bundle/BundleSerial.h"
#include "utils/bundle/ZBundle.h"
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
  std::printf("%s: %.2f ms (peer: %.2f ms, ratio %.2f)\n", what, worst * 1e3, ordinary * 1e3, worst / ordinary);
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
  Report("parse_ini_worst_1mib", SecondsOf([&] { qm::IniDocument().ParseText(ordinary); }),
         SecondsOf([&] { qm::IniDocument().ParseText(worst); }));
}

void SubstitutionShapes() {
  UxString strings;
  strings.LoadDocument("<string><s id=\"1\">text</s></string>");
  const std::wstring ordinary = Repeat(L"A line of plain text with one %str1% reference.\n", kSize);
  const std::wstring worst = Repeat(L"%str1%", kSize);
  Report("substitute_strings_worst_1mib", SecondsOf([&] { strings.Substitute(ordinary); }),
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
  Report("parse_xml_strings_worst_1mib", SecondsOf([&] { UxString().LoadDocument(ordinary); }),
         SecondsOf([&] { UxString().LoadDocument(worst); }));
}

void JsonShapes() {
  const std::wstring ordinary = L"[" + Repeat(L"{\"name\":\"value\",\"count\":12345},", kSize) + L"{}]";
  const std::wstring worst = L"[" + Repeat(L"\"\\u00e9\\u00e9\\u00e9\\u00e9\",", kSize) + L"0]";
  Report("parse_json32_worst_1mib", SecondsOf([&] { qm::UxJson::Document().Parse(ordinary); }),
         SecondsOf([&] { qm::UxJson::Document().Parse(worst); }));
}

// An object of about 1 MiB whose keys all share one std::hash value, against one of as many keys
// of the same length that do not.
void JsonKeyShapes() {
  const std::vector<std::wstring> colliding = test_keys::CollidingKeys(13);
  const auto objectOf = [](const std::vector<std::wstring>& keys) {
    std::wstring text = L"{";
    for (size_t i = 0; i < keys.size(); ++i) text += L"\"" + keys[i] + L"\":" + std::to_wstring(i) + L",";
    text.back() = L'}';
    return text;
  };
  std::vector<std::wstring> ordinary;
  for (size_t i = 0; i < colliding.size(); ++i) {
    const std::wstring number = std::to_wstring(i);
    ordinary.push_back(number + std::wstring(colliding[i].size() - number.size(), L'k'));
  }
  const std::wstring worst = objectOf(colliding);
  const std::wstring plain = objectOf(ordinary);
  Report("parse_json_colliding_keys_1mib", SecondsOf([&] { UxJsonEx::Document().Parse(plain); }),
         SecondsOf([&] { UxJsonEx::Document().Parse(worst); }));
}

// A bundle of 4 MiB copied as an IPC answer is (serialised and loaded): nested as deep as loading
// allows, against the same bytes one level down.
void BundleDepthShapes() {
  const std::string payload(4u << 20, 'x');
  const auto chain = [&payload](int depth) {
    qm::ZBundlePtr top(new qm::ZBundle());
    qm::ZBundle* tail = top.get();
    for (int level = 1; level < depth; ++level) {
      auto* next = new qm::ZBundle();
      tail->PutBundle(L"n", next);
      tail = next;
    }
    tail->PutBinary(L"payload", payload.data(), static_cast<uint32_t>(payload.size()));
    return top;
  };
  const qm::ZBundlePtr deep = chain(qm::BundleSerial::kMaxDepth);
  const qm::ZBundlePtr flat = chain(2);
  Report("bundle_copy_deep_4mib", SecondsOf([&] { flat->CopyTo(qm::ZBundlePtr(new qm::ZBundle()).get()); }),
         SecondsOf([&] { deep->CopyTo(qm::ZBundlePtr(new qm::ZBundle()).get()); }));
}

}  // namespace

int main() {
  IniShapes();
  SubstitutionShapes();
  DocumentShapes();
  JsonShapes();
  JsonKeyShapes();
  BundleDepthShapes();
  return 0;
}
