// Readers for the tests: an RFC 4180 CSV row, a JSON value, and a result's
// three text lines taken apart. Written apart from the program's writers,
// so that a test reading the program's output checks it against the text.
#pragma once

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zlc::test {

// One row without its line end.
inline std::vector<std::string> ParseCsvRow(std::string_view row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted) {
      if (c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string, or a number as written
  std::vector<Json> items;
  std::map<std::string, Json> fields;
  std::vector<std::string> order;  // of the fields, as written

  const Json& operator[](const std::string& name) const {
    static const Json kMissing;
    auto it = fields.find(name);
    return it == fields.end() ? kMissing : it->second;
  }
  const Json& operator[](std::size_t index) const { return items.at(index); }
};

// Strict enough for the program's output: no spaces outside strings, and
// a parse error makes `ok` false.
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}
  Json Read(bool& ok) {
    Json value = Value();
    ok = ok_ && at_ == text_.size();
    return value;
  }

 private:
  char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
  bool Take(char c) {
    if (Peek() != c) return ok_ = false;
    ++at_;
    return true;
  }
  std::string String() {
    std::string out;
    if (!Take('"')) return out;
    while (at_ < text_.size() && text_[at_] != '"') {
      if (text_[at_] == '\\') {
        ++at_;
        if (Peek() == 'u') {
          out += static_cast<char>(std::strtol(std::string(text_.substr(at_ + 1, 4)).c_str(), nullptr, 16));
          at_ += 5;
          continue;
        }
      }
      out += text_[at_++];
    }
    Take('"');
    return out;
  }
  Json Value() {
    Json v;
    const char c = Peek();
    if (c == '{') {
      v.kind = Json::Object;
      ++at_;
      while (ok_ && Peek() != '}') {
        if (!v.order.empty()) Take(',');
        std::string name = String();
        Take(':');
        v.order.push_back(name);
        v.fields[name] = Value();
      }
      Take('}');
    } else if (c == '[') {
      v.kind = Json::Array;
      ++at_;
      while (ok_ && Peek() != ']') {
        if (!v.items.empty()) Take(',');
        v.items.push_back(Value());
      }
      Take(']');
    } else if (c == '"') {
      v.kind = Json::String;
      v.text = String();
    } else if (text_.substr(at_, 4) == "null") {
      at_ += 4;
    } else if (text_.substr(at_, 4) == "true" || text_.substr(at_, 5) == "false") {
      v.kind = Json::Bool;
      v.boolean = c == 't';
      at_ += v.boolean ? 4 : 5;
    } else {
      v.kind = Json::Number;
      const std::size_t start = at_;
      while (at_ < text_.size() && std::string_view("-+.eE0123456789").find(text_[at_]) != std::string_view::npos) ++at_;
      v.text = std::string(text_.substr(start, at_ - start));
      if (v.text.empty()) ok_ = false;
      v.number = std::strtod(v.text.c_str(), nullptr);
    }
    return v;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

// What a result's three lines say, read with transits and "[ ]" static
// marks shown and spaces written.
struct TextResult {
  long rn = 0;
  std::vector<std::string> cards;  // as written (Windows-1251 bytes)
  std::string statics, transits;   // "1"/"0" per position
  std::string balance;             // "+/+/=/..."
  std::vector<std::string> suits, lines, pValues;
  std::vector<int> hexagrams;
  int lf = -1;
  std::string f;  // "5:5:26"
};

inline bool ReadTextResult(const std::string (&block)[3], TextResult& out) {
  const std::string& one = block[0];
  const std::size_t dot = one.find(". ");
  if (dot == std::string::npos) return false;
  out.rn = std::strtol(one.substr(0, dot).c_str(), nullptr, 10);
  std::size_t at = dot + 2;
  while (at < one.size()) {
    std::size_t end = one.find(' ', at);
    if (end == std::string::npos) end = one.size();
    std::string token = one.substr(at, end - at);
    at = end + 1;
    if (!token.empty() && token.front() == '<') token.erase(0, 1);
    const bool transit = !token.empty() && token.back() == '>';
    if (transit) token.pop_back();
    const bool isStatic = !token.empty() && token.front() == '[';
    if (isStatic) token = token.substr(1, token.size() - 2);
    if (token.size() != 2) return false;
    out.cards.push_back(token);
    out.statics += isStatic ? '1' : '0';
    out.transits += transit ? '1' : '0';
  }
  const std::string& two = block[1];
  std::size_t hb = two.find("HB:(");
  if (hb == std::string::npos) return false;
  out.balance = two.substr(hb + 4, two.find(')', hb) - hb - 4);
  for (std::size_t h = two.find("H("); h != std::string::npos; h = two.find("H(", h + 1)) {
    if (h > 0 && two[h - 1] == 'B') continue;
    const std::size_t close = two.find(")=#", h);
    out.suits.push_back(two.substr(h + 2, close - h - 2));
    out.hexagrams.push_back(std::atoi(two.c_str() + close + 3));
    const std::size_t open = two.find("  (", close);
    out.lines.push_back(two.substr(open + 3, 6));
  }
  const std::string& three = block[2];
  const std::size_t brace = three.find('{');
  const std::string p = three.substr(brace + 1, three.find('}') - brace - 1);
  for (std::size_t start = 0;;) {
    const std::size_t comma = p.find(", ", start);
    out.pValues.push_back(p.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 2;
  }
  const std::size_t f = three.find("F(");
  out.lf = std::atoi(three.c_str() + f + 2);
  const std::size_t eq = three.find(")=", f);
  out.f = three.substr(eq + 2, three.find(' ', eq) - eq - 2);
  return true;
}

}  // namespace zlc::test
