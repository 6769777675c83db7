#include "utils/json/JsonStringCodec.h"

#include <cwchar>

namespace qm::json {

bool ParseContext::Fail(int code) {
  if (!error) return false;
  if (error->code == kErrorTooDeep) return false;
  error->code = code;
  error->position = static_cast<int>(position);
  return false;
}

namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool ReadEscape(ParseContext& context, std::wstring& out) {
  const wchar_t c = context.Peek();
  context.Advance();
  switch (c) {
    case L'"': out += L'"'; return true;
    case L'\\': out += L'\\'; return true;
    case L'/': out += L'/'; return true;
    case L'b': out += L'\b'; return true;
    case L'f': out += L'\f'; return true;
    case L'n': out += L'\n'; return true;
    case L'r': out += L'\r'; return true;
    case L't': out += L'\t'; return true;
    case L'u': break;
    default: return context.Fail(kErrorBadEscape);
  }
  if (context.remaining < 4) return context.Fail(kErrorBadEscape);
  unsigned unit = 0;
  for (int i = 0; i < 4; ++i) {
    const int digit = HexDigit(context.text[context.position + i]);
    if (digit < 0) return context.Fail(kErrorBadEscape);
    unit = unit * 16 + static_cast<unsigned>(digit);
  }
  if (unit == 0) return context.Fail(kErrorBadEscape);
  context.Advance(4);
  out += static_cast<wchar_t>(unit);
  return true;
}

}  // namespace

bool JsonStringCodec::Read(ParseContext& context, std::wstring& out) {
  if (context.Peek() != L'"' || context.AtEnd()) return context.Fail(kErrorQuoteExpected);
  context.Advance();
  out.clear();
  while (!context.AtEnd()) {
    const wchar_t c = context.Peek();
    context.Advance();
    if (c == L'"') return true;
    // Written back it would become "\u0000", which the reader refuses: refuse it here instead.
    if (c == L'\0') return context.Fail(kErrorBadEscape);
    if (c != L'\\') {
      out += c;
      continue;
    }
    if (context.AtEnd()) break;
    if (!ReadEscape(context, out)) return false;
  }
  return context.Fail(kErrorUnterminatedString);
}

void JsonStringCodec::Write(const std::wstring& text, std::wstring& out) {
  out += L'"';
  for (const wchar_t c : text) {
    switch (c) {
      case L'"': out += L"\\\""; break;
      case L'\\': out += L"\\\\"; break;
      case L'/': out += L"\\/"; break;
      case L'\b': out += L"\\b"; break;
      case L'\f': out += L"\\f"; break;
      case L'\n': out += L"\\n"; break;
      case L'\r': out += L"\\r"; break;
      case L'\t': out += L"\\t"; break;
      default:
        if (c < 32 || (c >= 127 && c <= 255)) {
          wchar_t escaped[8];
          swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += L'"';
}

}  // namespace qm::json
