#include "platform/window/message_queue.h"

void MessageQueue::Post(const MSG& msg) {
  messages_.push_back(msg);
}

void MessageQueue::PostNext(const MSG& msg) {
  messages_.push_front(msg);
}

void MessageQueue::PostQuit(int exitCode) {
  quitPosted_ = true;
  quitCode_ = exitCode;
}

bool MessageQueue::Matches(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

bool MessageQueue::Peek(MSG* msg, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = messages_.begin(); it != messages_.end(); ++it) {
    if (!Matches(it->message, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove) messages_.erase(it);
    return true;
  }
  if (quitPosted_ && Matches(WM_QUIT, filterMin, filterMax)) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(quitCode_);
    if (remove) quitPosted_ = false;
    return true;
  }
  return false;
}

void MessageQueue::Clear() {
  messages_.clear();
  quitPosted_ = false;
  quitCode_ = 0;
}
