#include "simulate/PopulationJson.h"

#include <cmath>
#include <cstdlib>

namespace simulate {

// Recursive descent over the whole grammar; \u escapes outside ASCII are kept as '?', which
// no population field needs.
class PopulationJson::Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  bool Document(PopulationJson& out, std::string& error) {
    if (Value(out, 0) && (Skip(), at_ == text_.size())) return true;
    error = "at byte " + std::to_string(at_) + ": " + (expected_.empty() ? "unexpected text" : expected_);
    return false;
  }

 private:
  static constexpr int kDeepest = 64;

  void Skip() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n'))
      ++at_;
  }
  bool Fail(const char* what) {
    if (expected_.empty()) expected_ = what;
    return false;
  }
  bool Literal(const char* word) {
    const std::string w(word);
    if (text_.compare(at_, w.size(), w) != 0) return Fail("a value");
    at_ += w.size();
    return true;
  }

  bool Value(PopulationJson& out, int depth) {
    Skip();
    if (depth > kDeepest) return Fail("less nesting");
    if (at_ >= text_.size()) return Fail("a value");
    const char c = text_[at_];
    if (c == '{') return Object(out, depth);
    if (c == '[') return Array(out, depth);
    if (c == '"') return out.kind_ = Kind::kString, String(out.text_);
    if (c == 't') return out.kind_ = Kind::kBool, out.number_ = 1, Literal("true");
    if (c == 'f') return out.kind_ = Kind::kBool, Literal("false");
    if (c == 'n') return out.kind_ = Kind::kNull, Literal("null");
    return Number(out);
  }

  bool Number(PopulationJson& out) {
    const char* begin = text_.c_str() + at_;
    char* end = nullptr;
    out.number_ = std::strtod(begin, &end);
    // strtod also takes "inf", "nan" and hexadecimal, which JSON does not.
    const std::string taken(begin, static_cast<size_t>(end - begin));
    if (end == begin || taken.find_first_not_of("0123456789+-.eE") != std::string::npos || !std::isfinite(out.number_))
      return Fail("a number");
    at_ += static_cast<size_t>(end - begin);
    out.kind_ = Kind::kNumber;
    return true;
  }

  bool String(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c == '\\') {
        if (at_ >= text_.size()) break;
        const char escaped = text_[at_++];
        static const std::string kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
        const size_t known = kFrom.find(escaped);
        if (escaped == 'u') {
          if (at_ + 4 > text_.size()) return Fail("four hexadecimal digits");
          const long code = std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16);
          at_ += 4;
          c = code >= 0x20 && code < 0x80 ? static_cast<char>(code) : '?';
        } else if (known == std::string::npos) {
          return Fail("a known escape");
        } else {
          c = kTo[known];
        }
      }
      out += c;
    }
    if (at_ >= text_.size()) return Fail("a closing quote");
    ++at_;
    return true;
  }

  bool Array(PopulationJson& out, int depth) {
    out.kind_ = Kind::kArray;
    ++at_;
    Skip();
    if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
    for (;;) {
      out.elements_.emplace_back();
      if (!Value(out.elements_.back(), depth + 1)) return false;
      Skip();
      if (at_ < text_.size() && text_[at_] == ',') {
        ++at_;
        continue;
      }
      if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
      return Fail("',' or ']'");
    }
  }

  bool Object(PopulationJson& out, int depth) {
    out.kind_ = Kind::kObject;
    ++at_;
    Skip();
    if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
    for (;;) {
      Skip();
      std::string name;
      if (at_ >= text_.size() || text_[at_] != '"') return Fail("a member name");
      if (!String(name)) return false;
      if (out.members_.count(name)) return Fail("each member once");
      Skip();
      if (at_ >= text_.size() || text_[at_] != ':') return Fail("':'");
      ++at_;
      if (!Value(out.members_[name], depth + 1)) return false;
      Skip();
      if (at_ < text_.size() && text_[at_] == ',') {
        ++at_;
        continue;
      }
      if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
      return Fail("',' or '}'");
    }
  }

  const std::string& text_;
  size_t at_ = 0;
  std::string expected_;
};

bool PopulationJson::Parse(const std::string& utf8, PopulationJson& out, std::string& error) {
  out = PopulationJson();
  return Reader(utf8).Document(out, error);
}

const PopulationJson* PopulationJson::Find(const std::string& name) const {
  if (kind_ != Kind::kObject) return nullptr;
  const auto found = members_.find(name);
  return found == members_.end() ? nullptr : &found->second;
}

}  // namespace simulate
