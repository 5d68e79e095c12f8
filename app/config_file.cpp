#include "app/config_file.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/printable_text.h"

namespace {

constexpr size_t kMaxTokenLength = 19;
// Seven or eight short tokens; a file this large is not a configuration.
constexpr uint64_t kMaxConfigBytes = 64 << 10;

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Whitespace-separated tokens of a config file, counted from 1 for messages.
class TokenReader {
 public:
  TokenReader(std::string_view text, const char* fileName) : text_(text), fileName_(fileName) {}

  // False, with the reason reported, at the end of the file or on an over-long token.
  bool Next(const char* expected, std::string* token) {
    ++number_;
    while (next_ < text_.size() && IsBlank(text_[next_])) ++next_;
    const size_t start = next_;
    while (next_ < text_.size() && !IsBlank(text_[next_])) ++next_;
    if (next_ - start > kMaxTokenLength) {
      return Fail(std::string("expected ") + expected + ", found a token over 19 characters");
    }
    *token = text_.substr(start, next_ - start);
    if (token->empty()) return Fail(std::string("expected ") + expected + ", the file ends");
    return true;
  }

  bool Key(const char* key) {
    std::string token;
    const std::string quoted = Quoted(key);
    if (!Next(quoted.c_str(), &token)) return false;
    if (token != key) return Fail("expected " + quoted + ", found " + Quoted(token));
    return true;
  }

  bool Integer(const char* what, int* value) {
    std::string token;
    if (!Next(what, &token)) return false;
    const char* first = token.c_str();
    const char* last = first + token.size();
    if (*first == '+') ++first;
    auto [end, error] = std::from_chars(first, last, *value);
    if (error != std::errc() || end != last || first == last) {
      return Fail(std::string("expected ") + what + ", found " + Quoted(token));
    }
    return true;
  }

  bool Fail(const std::string& reason) const {
    std::fprintf(stderr, "%s, token %d: %s; using defaults\n", fileName_, number_,
                 PrintableText(reason).c_str());
    return false;
  }

 private:
  std::string_view text_;
  size_t next_ = 0;
  const char* fileName_;
  int number_ = 0;
};

int WaterDetailOf(const std::string& word) {
  if (word == "med") return 2;
  if (word == "high") return 3;
  return 1;  // "low" and anything unknown
}

bool ReadTokens(TokenReader& in, int* width, int* height, bool* windowed, int* waterDetail,
                bool* showFps) {
  int a = 0, b = 0, c = 0;
  if (!in.Key("displaymode=") || !in.Integer("a width, or 0 for a window", &a)) return false;
  if (a != 0 && !in.Integer("a height", &b)) return false;
  *width = a;
  if (a != 0) *height = b;

  std::string detail;
  if (!in.Key("waterdetail=") || !in.Next("low, med or high", &detail)) return false;
  if (!in.Key("showfps=") || !in.Integer("1 or 0", &c)) return false;

  *windowed = a == 0;
  *waterDetail = WaterDetailOf(detail);
  *showFps = c == 1;
  return true;
}

}  // namespace

bool ReadConfig(const char* fileName, int* width, int* height, bool* windowed, int* waterDetail,
                bool* showFps) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(fileName, kMaxConfigBytes, &bytes, &error)) {
    std::fprintf(stderr, "%s; using defaults\n", PrintableText(error).c_str());
    return false;
  }
  const std::string text(bytes.begin(), bytes.end());
  TokenReader in(text, fileName);
  return ReadTokens(in, width, height, windowed, waterDetail, showFps);
}

bool ReadConfig(RunDescription* run) {
  return ReadConfig(run->configFile.c_str(), &run->displayWidth, &run->displayHeight,
                    &run->windowed, &run->waterDetail, &run->showFps);
}
