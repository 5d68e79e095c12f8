#include "platform/window/input_script.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <utility>

#include "platform/files.h"

namespace {

// A script of a million events is a few megabytes; anything larger is not a script.
constexpr uint64_t kMaxScriptBytes = 4 << 20;
// Events a script may hold, each typed character one: a session of an hour played by hand with
// the mouse never still is about 200,000, a console session of ten minutes about 20,000. It
// bounds what a script makes the program keep and type, whatever its size on disk.
constexpr size_t kMaxScriptEvents = 1 << 18;

struct NamedKey {
  const char* name;
  WPARAM key;
};

constexpr NamedKey kNamedKeys[] = {
    {"BACK", VK_BACK},       {"BACKSPACE", VK_BACK},    {"TAB", VK_TAB},
    {"RETURN", VK_RETURN},   {"ENTER", VK_RETURN},      {"SHIFT", VK_SHIFT},
    {"CONTROL", VK_CONTROL}, {"MENU", VK_MENU},         {"ALT", VK_MENU},
    {"PAUSE", VK_PAUSE},     {"CAPITAL", VK_CAPITAL},   {"ESCAPE", VK_ESCAPE},
    {"SPACE", VK_SPACE},     {"PRIOR", VK_PRIOR},       {"NEXT", VK_NEXT},
    {"END", VK_END},         {"HOME", VK_HOME},         {"LEFT", VK_LEFT},
    {"UP", VK_UP},           {"RIGHT", VK_RIGHT},       {"DOWN", VK_DOWN},
    {"INSERT", VK_INSERT},   {"DELETE", VK_DELETE},     {"OEM_3", VK_OEM_3},
    {"OEM_2", VK_OEM_2},     {"OEM_PLUS", VK_OEM_PLUS}, {"OEM_MINUS", VK_OEM_MINUS},
};

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A whole-token unsigned number, decimal or 0x hexadecimal, up to max.
bool ParseNumber(const std::string& token, unsigned long max, unsigned long* value) {
  if (token.empty() || token[0] == '-' || token[0] == '+') return false;
  try {
    size_t used = 0;
    unsigned long v = std::stoul(token, &used, 0);
    if (used != token.size() || v > max) return false;
    *value = v;
    return true;
  } catch (...) {
    return false;
  }
}

bool ParseSeconds(const std::string& token, uint32_t* ms) {
  try {
    size_t used = 0;
    double seconds = std::stod(token, &used);
    if (used != token.size() || !std::isfinite(seconds) || seconds < 0 || seconds > 4.0e6)
      return false;
    *ms = static_cast<uint32_t>(std::lround(seconds * 1000.0));
    return true;
  } catch (...) {
    return false;
  }
}

// Expands \r, \n, \t, \# and \\ in a text event's characters.
bool Unescape(const std::string& text, std::string* out, std::string* reason) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out->push_back(text[i]);
      continue;
    }
    if (++i == text.size()) {
      *reason = "text ends in a lone backslash";
      return false;
    }
    switch (text[i]) {
      case 'r':
        out->push_back('\r');
        break;
      case 'n':
        out->push_back('\r');
        break;  // Enter either way
      case 't':
        out->push_back('\t');
        break;
      case '\\':
        out->push_back('\\');
        break;
      case '#':
        out->push_back('#');
        break;
      default:
        *reason = std::string("unknown escape \\") + text[i];
        return false;
    }
  }
  return true;
}

// The line without its comment, which starts at a '#' not written as "\#", and without the
// blanks before it.
std::string WithoutComment(const std::string& line) {
  size_t end = 0;
  while (end < line.size() && line[end] != '#') end += line[end] == '\\' ? 2 : 1;
  std::string kept = line.substr(0, std::min(end, line.size()));
  kept.erase(kept.find_last_not_of(" \t\r") + 1);
  return kept;
}

}  // namespace

bool VirtualKeyFromName(const std::string& name, WPARAM* key) {
  std::string upper = Upper(name);
  if (upper.rfind("VK_", 0) == 0) upper = upper.substr(3);
  if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0]))) {
    *key = static_cast<WPARAM>(upper[0]);
    return true;
  }
  if (upper.size() >= 2 && upper[0] == 'F' && std::isdigit(static_cast<unsigned char>(upper[1]))) {
    unsigned long n = 0;
    if (ParseNumber(upper.substr(1), 24, &n) && n >= 1) {
      *key = VK_F1 + n - 1;
      return true;
    }
  }
  for (const NamedKey& named : kNamedKeys) {
    if (upper == named.name) {
      *key = named.key;
      return true;
    }
  }
  unsigned long number = 0;
  if (ParseNumber(name, 255, &number)) {
    *key = number;
    return true;
  }
  return false;
}

std::string VirtualKeyName(WPARAM key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    return std::string(1, static_cast<char>(key));
  }
  if (key >= VK_F1 && key < VK_F1 + 24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return named.name;
  }
  return std::to_string(key);
}

bool InputScript::HasRoom(size_t events, std::string* reason) const {
  if (messages_.size() + events <= kMaxScriptEvents) return true;
  *reason = "the script holds more than " + std::to_string(kMaxScriptEvents) +
            " events (each typed character is one)";
  return false;
}

bool InputScript::ParseLine(const std::string& line, std::string* reason) {
  std::istringstream in(line);
  std::string timeToken, verb;
  in >> timeToken >> verb;
  ScriptedMessage msg;
  if (!ParseSeconds(timeToken, &msg.timeMs)) {
    *reason = "expected a time in seconds, found " + Quoted(timeToken);
    return false;
  }
  std::string rest;
  std::getline(in >> std::ws, rest);
  std::istringstream args(rest);
  // No event takes more than two words; a third tells that there are too many.
  std::vector<std::string> words;
  for (std::string w; words.size() < 3 && args >> w;) words.push_back(w);

  auto expectArgs = [&](size_t n, const char* what) {
    if (words.size() == n) return true;
    *reason = verb + " takes " + what;
    return false;
  };

  if (verb == "keydown" || verb == "keyup" || verb == "key") {
    if (!expectArgs(1, "one key") || !HasRoom(verb == "key" ? 2 : 1, reason)) return false;
    if (!VirtualKeyFromName(words[0], &msg.wParam)) {
      *reason = "unknown key " + Quoted(words[0]);
      return false;
    }
    if (verb != "keyup") {
      msg.message = WM_KEYDOWN;
      messages_.push_back(msg);
    }
    if (verb != "keydown") {
      msg.message = WM_KEYUP;
      messages_.push_back(msg);
    }
    return true;
  }
  if (verb == "char") {
    unsigned long code = 0;
    if (!expectArgs(1, "one character code") || !HasRoom(1, reason)) return false;
    if (!ParseNumber(words[0], 255, &code)) {
      *reason = "character code must be 0 to 255, found " + Quoted(words[0]);
      return false;
    }
    msg.message = WM_CHAR;
    msg.wParam = code;
    messages_.push_back(msg);
    return true;
  }
  if (verb == "text") {
    std::string text;
    if (rest.empty()) {
      *reason = "text takes characters";
      return false;
    }
    if (!Unescape(rest, &text, reason) || !HasRoom(text.size(), reason)) return false;
    msg.message = WM_CHAR;
    for (char c : text) {
      msg.wParam = static_cast<unsigned char>(c);
      messages_.push_back(msg);
    }
    return true;
  }
  if (verb == "mouse") {
    unsigned long x = 0, y = 0;
    if (!expectArgs(2, "x and y") || !HasRoom(1, reason)) return false;
    if (!ParseNumber(words[0], 0xFFFF, &x) || !ParseNumber(words[1], 0xFFFF, &y)) {
      *reason = "mouse coordinates must be 0 to 65535";
      return false;
    }
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    messages_.push_back(msg);
    return true;
  }
  if (verb == "close") {
    if (!expectArgs(0, "no arguments") || !HasRoom(1, reason)) return false;
    msg.message = WM_DESTROY;
    messages_.push_back(msg);
    return true;
  }
  *reason = verb.empty() ? "missing event" : "unknown event " + Quoted(verb);
  return false;
}

bool InputScript::Parse(const std::string& text, std::string* error) {
  messages_.clear();
  next_ = 0;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = WithoutComment(line);
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    std::string reason;
    if (!ParseLine(line.substr(first), &reason)) {
      messages_.clear();
      *error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
  }
  std::stable_sort(
      messages_.begin(), messages_.end(),
      [](const ScriptedMessage& a, const ScriptedMessage& b) { return a.timeMs < b.timeMs; });
  return true;
}

bool InputScript::Load(const char* path, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, kMaxScriptBytes, &bytes, error)) return false;
  if (Parse(std::string(bytes.begin(), bytes.end()), error)) return true;
  *error = std::string(path) + ": " + *error;
  return false;
}

void InputScript::TakeDue(uint32_t elapsedMs, std::vector<ScriptedMessage>* due) {
  while (next_ < messages_.size() && messages_[next_].timeMs <= elapsedMs) {
    due->push_back(messages_[next_++]);
  }
}
