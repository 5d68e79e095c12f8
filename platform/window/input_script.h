#pragma once
// A script of timed input events, delivered as window messages for repeatable runs.
//
// One event per line, times in seconds of the program's clock:
//   <seconds> keydown|keyup|key <VK name or number>   (key: down, then up)
//   <seconds> char <character code>
//   <seconds> text <characters>                 (\r is Enter, \t Tab, \# a '#', \\ a backslash)
//   <seconds> mouse <x> <y>                            (client coordinates)
//   <seconds> close                                    (the window is closed)
// A '#' starts a comment, which runs to the end of the line; blank lines are ignored. A script
// holds at most 262,144 events, each character of a text one.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

struct ScriptedMessage {
  uint32_t timeMs = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

struct ScriptArguments;
struct ScriptEvent;

class InputScript {
 public:
  // Replaces the script's events. On a malformed line returns false, leaves the script
  // empty and says which line and why in error.
  bool Parse(const std::string& text, std::string* error);
  // Reads a script file of at most a few megabytes; errors name the file.
  bool Load(const char* path, std::string* error);

  const std::vector<ScriptedMessage>& Messages() const { return messages_; }
  // Appends the messages due at elapsedMs, each once, in time order.
  void TakeDue(uint32_t elapsedMs, std::vector<ScriptedMessage>* due);

 private:
  bool ParseLine(const std::string& line, std::string* reason);
  bool ParseWords(const ScriptEvent& event, uint32_t timeMs, const std::string& rest,
                  std::string* reason);
  // A text event: each character of the rest of the line is one.
  bool ParseTyped(const ScriptEvent& event, uint32_t timeMs, const std::string& rest,
                  std::string* reason);
  void Add(const ScriptEvent& event, uint32_t timeMs, const ScriptArguments& arguments);
  // Whether that many more events fit the script; says why not.
  bool HasRoom(size_t events, std::string* reason) const;

  std::vector<ScriptedMessage> messages_;
  size_t next_ = 0;
};

// The virtual-key code for a name such as "VK_LEFT", "LEFT", "A", "F5" or a number.
bool VirtualKeyFromName(const std::string& name, WPARAM* key);
// The name a script gives a virtual-key code: the reverse of VirtualKeyFromName.
std::string VirtualKeyName(WPARAM key);
// The event a script writes for a window message (its name and arguments, without the time), or
// empty for a message scripts don't carry.
std::string ScriptEventOf(UINT message, WPARAM wParam, LPARAM lParam);
