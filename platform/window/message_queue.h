#pragma once
// The thread's message queue: posted messages in order, and the quit request, which
// Windows hands out only once nothing else is waiting.
#include <deque>

#include "platform/win32.h"

class MessageQueue {
 public:
  void Post(const MSG& msg);
  // For messages made from the one just taken (TranslateMessage's characters): they come next.
  void PostNext(const MSG& msg);
  void PostQuit(int exitCode);
  // Copies the first message within [filterMin, filterMax] (0, 0: any) into msg, removing it
  // when remove is set. WM_QUIT comes only when no other message matches.
  bool Peek(MSG* msg, UINT filterMin, UINT filterMax, bool remove);
  void Clear();

 private:
  static bool Matches(UINT message, UINT filterMin, UINT filterMax);

  std::deque<MSG> messages_;
  bool quitPosted_ = false;
  int quitCode_ = 0;
};
