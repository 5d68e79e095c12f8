#include "platform/window/input_script.h"

#include <algorithm>
#include <array>
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
// The words of a text event: the rest of its line, escapes expanded, one message a character.
constexpr size_t kTyped = SIZE_MAX;

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

// An event's arguments, as its messages carry them.
struct ScriptArguments {
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// An event of the script: its name, the messages it stands for (sent in this order, each with
// the event's arguments; 0 for none) and how its arguments are read from a line and written back.
struct ScriptEvent {
  const char* name;
  std::array<UINT, 2> messages;
  size_t words;       // the words it takes, or kTyped
  const char* takes;  // what a line with other words is told it takes
  bool (*read)(const std::vector<std::string>& words, ScriptArguments* arguments,
               std::string* reason);
  std::string (*write)(const ScriptArguments& arguments);  // null: never recorded as this event

  size_t MessageCount() const { return messages[1] != 0 ? 2 : 1; }
};

namespace {

using Words = std::vector<std::string>;

bool ReadKey(const Words& words, ScriptArguments* arguments, std::string* reason) {
  if (VirtualKeyFromName(words[0], &arguments->wParam)) return true;
  *reason = "unknown key " + Quoted(words[0]);
  return false;
}

bool ReadCharacterCode(const Words& words, ScriptArguments* arguments, std::string* reason) {
  unsigned long code = 0;
  if (!ParseNumber(words[0], 255, &code)) {
    *reason = "character code must be 0 to 255, found " + Quoted(words[0]);
    return false;
  }
  arguments->wParam = code;
  return true;
}

bool ReadPoint(const Words& words, ScriptArguments* arguments, std::string* reason) {
  unsigned long x = 0, y = 0;
  if (!ParseNumber(words[0], 0xFFFF, &x) || !ParseNumber(words[1], 0xFFFF, &y)) {
    *reason = "mouse coordinates must be 0 to 65535";
    return false;
  }
  arguments->lParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
  return true;
}

bool ReadNothing(const Words&, ScriptArguments*, std::string*) {
  return true;
}

std::string WriteKey(const ScriptArguments& arguments) {
  return VirtualKeyName(arguments.wParam);
}

std::string WriteCharacterCode(const ScriptArguments& arguments) {
  return std::to_string(arguments.wParam);
}

std::string WritePoint(const ScriptArguments& arguments) {
  return std::to_string(LOWORD(arguments.lParam)) + " " + std::to_string(HIWORD(arguments.lParam));
}

std::string WriteNothing(const ScriptArguments&) {
  return {};
}

// The script's vocabulary, read by the parser and written by the recorder. An event with a
// writer stands for its one message alone: a recording writes that message as that event.
constexpr ScriptEvent kEvents[] = {
    {"keydown", {WM_KEYDOWN}, 1, "one key", ReadKey, WriteKey},
    {"keyup", {WM_KEYUP}, 1, "one key", ReadKey, WriteKey},
    {"key", {WM_KEYDOWN, WM_KEYUP}, 1, "one key", ReadKey, nullptr},
    {"char", {WM_CHAR}, 1, "one character code", ReadCharacterCode, WriteCharacterCode},
    {"text", {WM_CHAR}, kTyped, "characters", nullptr, nullptr},
    {"mouse", {WM_MOUSEMOVE}, 2, "x and y", ReadPoint, WritePoint},
    {"close", {WM_DESTROY}, 0, "no arguments", ReadNothing, WriteNothing},
};

const ScriptEvent* FindEvent(const std::string& name) {
  for (const ScriptEvent& event : kEvents) {
    if (name == event.name) return &event;
  }
  return nullptr;
}

// Says what the event takes.
bool Refuse(const ScriptEvent& event, std::string* reason) {
  *reason = std::string(event.name) + " takes " + event.takes;
  return false;
}

}  // namespace

std::string ScriptEventOf(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const ScriptEvent& event : kEvents) {
    if (!event.write || event.messages[0] != message) continue;
    const std::string arguments = event.write({wParam, lParam});
    return arguments.empty() ? event.name : event.name + (" " + arguments);
  }
  return {};
}

bool InputScript::HasRoom(size_t events, std::string* reason) const {
  if (messages_.size() + events <= kMaxScriptEvents) return true;
  *reason = "the script holds more than " + std::to_string(kMaxScriptEvents) +
            " events (each typed character is one)";
  return false;
}

bool InputScript::ParseLine(const std::string& line, std::string* reason) {
  std::istringstream in(line);
  std::string timeToken, name, rest;
  in >> timeToken >> name;
  uint32_t timeMs = 0;
  if (!ParseSeconds(timeToken, &timeMs)) {
    *reason = "expected a time in seconds, found " + Quoted(timeToken);
    return false;
  }
  std::getline(in >> std::ws, rest);
  const ScriptEvent* event = FindEvent(name);
  if (!event) {
    *reason = name.empty() ? "missing event" : "unknown event " + Quoted(name);
    return false;
  }
  return event->words == kTyped ? ParseTyped(*event, timeMs, rest, reason)
                                : ParseWords(*event, timeMs, rest, reason);
}

bool InputScript::ParseWords(const ScriptEvent& event, uint32_t timeMs, const std::string& rest,
                             std::string* reason) {
  // No event takes more than two words; a third tells that there are too many.
  std::istringstream in(rest);
  std::vector<std::string> words;
  for (std::string w; words.size() < 3 && in >> w;) words.push_back(w);
  if (words.size() != event.words) return Refuse(event, reason);
  if (!HasRoom(event.MessageCount(), reason)) return false;
  ScriptArguments arguments;
  if (!event.read(words, &arguments, reason)) return false;
  Add(event, timeMs, arguments);
  return true;
}

bool InputScript::ParseTyped(const ScriptEvent& event, uint32_t timeMs, const std::string& rest,
                             std::string* reason) {
  if (rest.empty()) return Refuse(event, reason);
  std::string text;
  if (!Unescape(rest, &text, reason) || !HasRoom(text.size() * event.MessageCount(), reason)) {
    return false;
  }
  for (char c : text) Add(event, timeMs, {static_cast<unsigned char>(c), 0});
  return true;
}

void InputScript::Add(const ScriptEvent& event, uint32_t timeMs, const ScriptArguments& arguments) {
  for (UINT message : event.messages) {
    if (message != 0) messages_.push_back({timeMs, message, arguments.wParam, arguments.lParam});
  }
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
