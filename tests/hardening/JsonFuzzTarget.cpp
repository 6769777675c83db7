#include "JsonFuzzTarget.h"

#include <algorithm>

#include "FuzzText.h"

namespace hardening {

using qm::json::Handle;
using qm::json::Kind;

namespace {

bool KnownErrorCode(int code) {
  static const int kCodes[] = {1, 3, 4, 5, 7, 8, 9, 10, 11};
  return std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes);
}

bool IsInteger(Kind kind) { return kind == Kind::Long || kind == Kind::LongLong; }

}  // namespace

std::vector<std::string> JsonFuzzTarget::Corpus() {
  std::vector<std::string> corpus = {
      R"({"data":[{"device_num":1,"normal_show":[101,102],"coupon_show":[201]},{"device_num":2,"normal_show":[]}]})",
      R"({"pay_price_settings":[{"month_length":12,"current_price":98,"price":148},{"month_length":1,"current_price":15,"price":25}]})",
      R"({"user":{"open_id":"o-123","token":"t\/k\u00e9n","vip":true,"expire":1893456000123,"nick":"\u4e2d\u6587"},"ok":1})",
      R"([1,-2,0,-0,2147483647,-2147483648,4294967296,9223372036854775807,true,false,null,"",[],{}])",
      R"("a \"quoted\" \\ string\n\t\r\b\f\/")",
      "  {\r\n  \"pretty\" : [ 1 , 2 ] ,\r\n  \"x\" : { }\r\n}",
      "-12345", "true", "false", "[[[[[[]]]]]]", "{\"a\":{\"b\":{\"c\":{\"d\":[null]}}}}",
      "\xE4\xB8\xAD\xE6\x96\x87 \"\xE4\xB8\xAD\"",
  };
  corpus.push_back(FuzzText::Utf16Form(L"{\"k\":\"\xD83D\xDE00 \x00e9\",\"n\":[1,2,3]}"));
  corpus.push_back(FuzzText::Utf16Form(L"[\"\\ud800\",\"\\udc00x\"]"));
  return corpus;
}

std::vector<std::string> JsonFuzzTarget::Tokens() const {
  return {"{", "}", "[", "]", "\"", ":", ",", " ", "\t", "\r\n", "null", "true", "false", "-", "0", "\\", "\\u",
          "\\u0000", "\\ud800", "\\udc00", "\\uD83D\\uDE00", "\\x", "\\n", "\"k\":", "{\"data\":", "[1,", "1.5", "1e9"};
}

std::vector<std::string> JsonFuzzTarget::Openers() const { return {"[", "{\"a\":", "[{\"k\":[", "{\"\":["}; }

bool JsonFuzzTarget::SameTree(const Handle& a, const Handle& b, bool narrowed) {
  const Kind ka = a.kind(), kb = b.kind();
  if (IsInteger(ka) || IsInteger(kb)) {
    if (!IsInteger(ka) || !IsInteger(kb)) return false;
    return narrowed ? static_cast<int32_t>(a.AsInt64()) == static_cast<int32_t>(b.AsInt64()) : a.AsInt64() == b.AsInt64();
  }
  if (ka != kb) return false;
  switch (ka) {
    case Kind::Bool: return a.AsBool() == b.AsBool();
    case Kind::String: return a.AsString() == b.AsString();
    case Kind::Array:
      if (a.Size() != b.Size()) return false;
      for (size_t i = 0; i < a.Size(); ++i) {
        if (!SameTree(a.At(i), b.At(i), narrowed)) return false;
      }
      return true;
    case Kind::Object: {
      if (a.Size() != b.Size()) return false;
      for (const std::wstring& key : a.Keys()) {
        const Handle other = b.Get(key);
        if (!other.IsValid() || !SameTree(a.Get(key), other, narrowed)) return false;
      }
      return true;
    }
    default: return true;
  }
}

template <class Document>
FuzzVerdict JsonFuzzTarget::Check(Document& document, const std::wstring& text) {
  FuzzVerdict verdict = FuzzVerdict::Accepted(document.Parse(text));
  const qm::json::Error& error = document.GetError();
  if (!verdict.accepted) {
    verdict.Check(document.root() == nullptr, "a refused text left a root behind")
        .Check(KnownErrorCode(error.code), "a refusal without a known error code")
        .Check(error.position >= 0 && static_cast<size_t>(error.position) <= text.size(), "error position outside the text")
        .Check(error.line >= 1 && error.column >= 1, "error line or column below 1");
    return verdict;
  }
  const Kind kind = document.kind();
  verdict.Check(error.code == 0, "accepted with an error code")
      .Check(kind != Kind::Invalid && kind != Kind::Null, "accepted without a usable root");
  std::wstring compact, pretty;
  verdict.Check(document.Write(compact, false) && document.Write(pretty, true), "an accepted tree does not write");
  Document again, fromPretty;
  verdict.Check(again.Parse(compact), "what was written does not read back")
      .Check(fromPretty.Parse(pretty), "what was written pretty does not read back");
  if (!verdict.failure.empty()) return verdict;
  verdict.Check(SameTree(document, again, false), "read back as another tree")
      .Check(SameTree(document, fromPretty, false), "pretty text read back as another tree");
  std::wstring rewritten;
  again.Write(rewritten, false);
  verdict.Check(rewritten == compact, "written again as other text");
  return verdict;
}

FuzzVerdict JsonFuzzTarget::Run(const std::string& input) {
  const std::wstring text = FuzzText::Decode(input);
  if (!wide_) return Check(narrow_, text);
  FuzzVerdict verdict = Check(wideDocument_, text);
  if (!verdict.failure.empty()) return verdict;
  // The two generations differ only in integer width.
  const bool narrowAccepted = narrow_.Parse(text);
  verdict.Check(narrowAccepted == verdict.accepted, "the two models disagree on accepting the text");
  if (narrowAccepted && verdict.accepted) {
    verdict.Check(SameTree(wideDocument_, narrow_, true), "the two models read different values");
  }
  return verdict;
}

}  // namespace hardening
